// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "catalogue/PartnerCatalogue.h"

#include <string_view>

namespace tallywick {

// Both launches of a card application use this directory (and open a normal
// window).
inline constexpr std::string_view kApplicationDirectory =
    R"(c:\program files\Internet Explorer\IEXPLORE.EXE)";

// The address of a card application's second launch for the selected index
// (0 or more): the limited edition opens the issuer's page for a catalogue's
// first source only, no page for the next ones up to its lastEmptyIndex, and
// the publisher's home page again for any further one.
[[nodiscard]] std::string_view secondApplicationTarget(const PartnerCatalogue& catalogue,
                                                       int selectedIndex) noexcept;

} // namespace tallywick
