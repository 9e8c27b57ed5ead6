// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <string>
#include <windows.h>

namespace tallywick {

// What a screen reader hears for a control whose own MSAA name would be
// missing or say the wrong thing: a list box named by its count caption, a
// picture named by its brand, a memory figure named by its caption with the
// figure as its value. Everything else comes from the system's standard
// accessible object for the control, to which this one hands every other
// question.
struct AccessibleNames {
    std::function<std::wstring()> name;
    std::function<std::wstring()> value; // empty: the control's own value
    long role = 0;                       // 0: the control's own role
};

// Subclasses the control so that it answers WM_GETOBJECT with the names
// given; the subclass goes with the window.
void makeAccessible(HWND control, AccessibleNames names);

} // namespace tallywick
