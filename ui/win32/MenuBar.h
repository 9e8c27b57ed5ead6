// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/MenuTree.h"

#include <windows.h>

namespace tallywick {

// The window's menu bar, built from the menu tree: a bar entry with a
// drop-down becomes a popup holding the items below it, every other item a
// command whose id follows its row in the tree. The caller owns the menu
// until a window takes it.
[[nodiscard]] HMENU createMenuBar();

// The menu tree's item that a menu command id stands for, or null.
[[nodiscard]] const MenuItemSpec* chosenMenuItem(int commandId) noexcept;

} // namespace tallywick
