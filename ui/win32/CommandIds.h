// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "app/MenuTree.h"

#include <windows.h>

namespace tallywick {

// The ids WM_COMMAND carries: a control's is its row in the control table
// from kFirstControlId on, the menu's commands are numbered from
// kFirstMenuId on (each menu item carries its row of the menu tree). Both
// stay clear of IDOK and IDCANCEL, which the dialog manager sends for Enter
// and Escape when the focus is not on a push button: with no default push
// button those keys then do nothing, while Enter on a focused button presses
// that button.
inline constexpr int kFirstControlId = 100;
inline constexpr int kFirstMenuId = 1000;

static_assert(kFirstControlId > IDCANCEL && kFirstControlId > IDOK);
static_assert(kFirstControlId + static_cast<int>(kControlTable.size()) <= kFirstMenuId,
              "control ids run into the menu's");
static_assert(kFirstMenuId + static_cast<int>(kMenuTree.size()) <= 0xFFFF,
              "WM_COMMAND carries an id in 16 bits");

} // namespace tallywick
