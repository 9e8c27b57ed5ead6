// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ShownEntry.h"

namespace tallywick {

namespace {

// U+2026 HORIZONTAL ELLIPSIS.
constexpr std::string_view kCutMark = "\xE2\x80\xA6";

// A UTF-8 byte of the form 10xxxxxx continues a character; any other begins one.
constexpr bool beginsCharacter(char byte) noexcept {
    return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;
}

} // namespace

std::string shownEntryText(std::string_view entry) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < entry.size(); ++at) {
        if (beginsCharacter(entry[at]) && characters++ == kShownEntryCharacters) {
            return std::string(entry.substr(0, at)).append(kCutMark);
        }
    }
    return std::string(entry);
}

} // namespace tallywick
