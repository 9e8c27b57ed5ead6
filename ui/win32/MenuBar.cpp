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
    for (std::size_t i = 0; i < kMenuTree.size(); ++i) {
        const MenuItemSpec& item = kMenuTree[i];
        const std::wstring caption = toWide(item.caption);
        if (item.action == MenuAction::DropDown) {
            dropDown = ::CreatePopupMenu();
            ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown),
                          caption.c_str());
            continue;
        }
        const UINT_PTR id = kFirstMenuId + i;
        ::AppendMenuW(item.level == 0 ? bar : dropDown, MF_STRING, id, caption.c_str());
    }
    return bar;
}

const MenuItemSpec* chosenMenuItem(int commandId) noexcept {
    const int row = commandId - kFirstMenuId;
    if (row < 0 || row >= static_cast<int>(kMenuTree.size())) {
        return nullptr;
    }
    return &kMenuTree[static_cast<std::size_t>(row)];
}

} // namespace tallywick
