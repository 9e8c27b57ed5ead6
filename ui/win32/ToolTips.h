// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/win32/FormControls.h"

#include <windows.h>

namespace tallywick {

// The window's tooltips: one tip control, with a tool for each control that
// has a tip in the control table. The tip control belongs to the window that
// owns it and goes with it.
class ToolTips {
public:
    ToolTips() = default;
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // Makes the tip control for OWNER's controls; window() stays null when
    // the system refuses it.
    void create(HWND owner, const FormControls& controls);
    // Long tips wrap at a width that follows the DPI.
    void applyDpi(UINT dpi) const;

    // The tip control; null before create().
    [[nodiscard]] HWND window() const noexcept { return window_; }

private:
    HWND window_ = nullptr;
};

} // namespace tallywick
