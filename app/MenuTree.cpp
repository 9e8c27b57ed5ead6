// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/MenuTree.h"

#include "launch/WebAddress.h"

#include <algorithm>

namespace tallywick {

namespace {

// A web link opens a fixed page and nothing else opens one; no two items
// share a name, nor two links a page; the tree has two levels.
constexpr bool menuTreeIsWellFormed() {
    for (auto item = kMenuTree.begin(); item != kMenuTree.end(); ++item) {
        const bool link = item->action == MenuAction::WebLink;
        if (link != isFixedWebAddress(item->page) || (!link && !item->page.empty())) {
            return false;
        }
        if (std::any_of(item + 1, kMenuTree.end(), [&](const MenuItemSpec& later) {
                return later.name == item->name || (link && later.page == item->page);
            })) {
            return false;
        }
        // A drop-down is a bar entry with items right below it, and items
        // stand only there.
        const bool opens = item->action == MenuAction::DropDown;
        const int next = item + 1 == kMenuTree.end() ? 0 : (item + 1)->level;
        const int above = item == kMenuTree.begin() ? 0 : (item - 1)->level;
        const bool underDropDown = item != kMenuTree.begin() && (item - 1)->level == 0 &&
                                   (item - 1)->action == MenuAction::DropDown;
        if ((item->level != 0 && item->level != 1) || (opens && (item->level != 0 || next != 1)) ||
            (item->level == 1 && above == 0 && !underDropDown)) {
            return false;
        }
    }
    return true;
}
static_assert(menuTreeIsWellFormed());

} // namespace

const MenuItemSpec* findMenuItem(std::string_view name) noexcept {
    const auto* found =
        std::find_if(kMenuTree.begin(), kMenuTree.end(),
                     [name](const MenuItemSpec& item) { return item.name == name; });
    return found == kMenuTree.end() ? nullptr : found;
}

} // namespace tallywick
