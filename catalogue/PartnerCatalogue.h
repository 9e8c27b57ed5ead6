// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "launch/WebAddress.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tallywick {

// One catalogue of card sources: the file it is read from, the words after
// its count, the issuer's application page its first source opens, and the
// last index whose source has no page of its own in the limited edition.
struct PartnerCatalogue {
    std::string_view fileName;
    std::string_view countSuffix;
    std::string_view issuerPage;
    int lastEmptyIndex;

    // Whether a catalogue written into the program is whole: checked when it
    // is compiled.
    [[nodiscard]] constexpr bool complete() const noexcept {
        return !fileName.empty() && !countSuffix.empty() && isFixedWebAddress(issuerPage) &&
               lastEmptyIndex >= 1;
    }
};

// "12 American Express Cards": plain digits, no grouping, no singular form.
[[nodiscard]] std::string countCaption(std::size_t count, std::string_view suffix);

} // namespace tallywick
