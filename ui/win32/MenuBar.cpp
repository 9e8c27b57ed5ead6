// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/MenuBar.h"

#include "platform/win32/WideText.h"
#include "ui/win32/CommandIds.h"

#include <string>

namespace tallywick {

HMENU createMenuBar() {
    const HMENU bar = ::CreateMenu();
    HMENU dropDown = nullptr;
    UINT nextId = kFirstMenuId;
    for (const MenuItemSpec& item : kMenuTree) {
        std::wstring caption = toWide(item.caption);
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_DATA;
        info.dwTypeData = caption.data();
        // The item carries its row, so that a command finds what it runs
        // without counting its place in the tree.
        info.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
        HMENU parent = item.level == 0 ? bar : dropDown;
        if (item.action == MenuAction::DropDown) {
            dropDown = ::CreatePopupMenu();
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = dropDown;
        } else {
            info.wID = nextId++;
        }
        ::InsertMenuItemW(parent, ::GetMenuItemCount(parent), TRUE, &info);
    }
    return bar;
}

const MenuItemSpec* chosenMenuItem(HMENU bar, UINT commandId) noexcept {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_SUBMENU;
    if (bar == nullptr || !::GetMenuItemInfoW(bar, commandId, FALSE, &info) ||
        info.hSubMenu != nullptr) {
        return nullptr;
    }
    return reinterpret_cast<const MenuItemSpec*>(info.dwItemData);
}

} // namespace tallywick
