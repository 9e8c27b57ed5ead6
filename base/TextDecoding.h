// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallywick {

// What Windows' Notepad (and many editors) write at the start of a UTF-8 file.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// List files written on Linux are UTF-8; those carried over from Windows are
// usually Windows-1252. Valid UTF-8 sequences are kept as they are and every
// byte that is not part of one is read as Windows-1252, so both kinds of file
// (and a file mixing them) show their accented letters right. The result is
// always valid UTF-8.
[[nodiscard]] std::string decodeListText(std::string_view bytes);

// How many bytes at the start are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
[[nodiscard]] std::size_t validUtf8Prefix(std::string_view bytes) noexcept;

// Whether the bytes are the beginning of one well-formed UTF-8 sequence that
// ends before the sequence does: what a read in pieces may leave at the end
// of a piece.
[[nodiscard]] bool isCutUtf8Sequence(std::string_view bytes) noexcept;

// Where the first byte of 0x80 or above is, or bytes.size(). Text below it is
// plain ASCII, which reads the same in UTF-8, Windows-1252 and every other
// ANSI code page.
[[nodiscard]] std::size_t findNonAscii(std::string_view bytes) noexcept;

} // namespace tallywick
