// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/MenuTree.h"

#include <windows.h>

namespace tallywick {

// The window's menu bar, built from the menu tree: a bar entry with a
// drop-down becomes a popup holding the items below it, every other item a
// command that carries its row of the tree. The caller owns the menu until a
// window takes it.
[[nodiscard]] HMENU createMenuBar();

// The row of the menu tree that the command the bar sent stands for, or null
// when the bar holds no such command.
[[nodiscard]] const MenuItemSpec* chosenMenuItem(HMENU bar, UINT commandId) noexcept;

} // namespace tallywick
