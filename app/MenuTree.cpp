// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/MenuTree.h"

#include <algorithm>

namespace tallywick {

namespace {

// A web link opens a page, and nothing else does.
constexpr bool onlyWebLinksHavePages() {
    return std::all_of(kMenuTree.begin(), kMenuTree.end(), [](const MenuItemSpec& item) {
        return item.page.has_value() == (item.action == MenuAction::WebLink);
    });
}
static_assert(onlyWebLinksHavePages());

} // namespace

const MenuItemSpec* findMenuItem(std::string_view name) noexcept {
    const auto* found =
        std::find_if(kMenuTree.begin(), kMenuTree.end(),
                     [name](const MenuItemSpec& item) { return item.name == name; });
    return found == kMenuTree.end() ? nullptr : found;
}

} // namespace tallywick
