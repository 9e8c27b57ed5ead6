// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/ProductFacts.h"

#include <algorithm>
#include <string_view>

namespace tallywick {

// Whether an address built into the program is one it may hand the shell: an
// https address naming a host, of printable ASCII without blanks, so that no
// opener can take it for an option, a file or two arguments. Every fixed
// page the program opens is checked with this when it is compiled.
[[nodiscard]] constexpr bool isFixedWebAddress(std::string_view address) noexcept {
    constexpr std::string_view kScheme = "https://";
    if (!address.starts_with(kScheme)) {
        return false;
    }
    const std::string_view rest = address.substr(kScheme.size());
    return !rest.empty() && rest.front() != '/' &&
           std::all_of(rest.begin(), rest.end(), [](char c) { return c > ' ' && c < 0x7F; });
}

// The publisher's home page: the first page every card application opens.
inline constexpr std::string_view kPublisherHomePage = "https://www.tallywick.example/";
static_assert(isFixedWebAddress(kPublisherHomePage));
// The title bar names the publisher's site: its home page lies there.
static_assert(kPublisherHomePage.find(kPublisherSiteName) != std::string_view::npos);

} // namespace tallywick
