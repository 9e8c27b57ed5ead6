// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/GrowingArray.h"
#include "ports/ListFilePort.h"

#include <cstddef>
#include <string_view>

namespace tallywick {

// What a list file's bytes are written in, decided once for the whole file,
// the same on every system, so that a file reads alike on Linux and Windows:
// a byte-order mark decides first; without one, bytes that are all
// well-formed UTF-8 are UTF-8; anything else is the legacy code page. UTF-16
// is never guessed without its mark.
enum class ListEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian, Legacy };

struct ListTextForm {
    ListEncoding encoding = ListEncoding::Utf8;
    // The byte-order mark that decided it, skipped before the text.
    std::size_t markSize = 0;
};

[[nodiscard]] ListTextForm recogniseListText(std::string_view bytes) noexcept;

// A list file's text as UTF-8, from start on in buffer.
struct ListText {
    GrowingArray<char> buffer;
    std::size_t start = 0;
};

// The bytes of a list file as UTF-8 text: UTF-8 stays where it is, after its
// mark (a byte that is no UTF-8 in a file marked as UTF-8 reads as U+FFFD);
// any other text is decoded into a buffer of its own and the bytes are
// let go, so that no more than the two are ever held. The legacy code page is
// the file source's.
[[nodiscard]] ListText decodeListText(GrowingArray<char> bytes, const ListFilePort& files);

} // namespace tallywick
