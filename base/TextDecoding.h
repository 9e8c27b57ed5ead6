// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/GrowingArray.h"

#include <cstddef>
#include <string_view>

namespace tallywick {

// The byte-order marks editors write at the start of a text file: Notepad's
// "UTF-8 with BOM", "UTF-16 LE" (once called "Unicode") and "UTF-16 BE".
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeByteOrderMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeByteOrderMark = "\xFE\xFF";

// How many bytes at the start are well-formed UTF-8: no overlong forms, no
// surrogates, nothing above U+10FFFF, no sequence cut short.
[[nodiscard]] std::size_t validUtf8Prefix(std::string_view bytes) noexcept;

// Where the first byte of 0x80 or above is, or bytes.size(). Text below it is
// plain ASCII, which reads the same in UTF-8 and every ANSI code page.
[[nodiscard]] std::size_t findNonAscii(std::string_view bytes) noexcept;

// UTF-8 text appended to out with every byte that starts no well-formed
// sequence replaced by U+FFFD.
void appendUtf8Repaired(std::string_view bytes, GrowingArray<char>& out);

// Windows-1252 text appended to out as UTF-8. The five bytes Windows-1252
// leaves undefined become the C1 controls of the same value, as Windows' own
// conversion makes them.
void appendWindows1252AsUtf8(std::string_view bytes, GrowingArray<char>& out);

// UTF-16 text appended to out as UTF-8. A surrogate without its partner, and
// a last byte without its pair, become U+FFFD: nothing is dropped unseen.
enum class ByteOrder { LittleEndian, BigEndian };
void appendUtf16AsUtf8(std::string_view bytes, ByteOrder order, GrowingArray<char>& out);

} // namespace tallywick
