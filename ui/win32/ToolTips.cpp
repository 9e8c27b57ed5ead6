// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/ToolTips.h"

#include "platform/win32/WideText.h"
#include "ui/win32/DpiScaling.h"

#include <commctrl.h>
#include <string>

namespace tallywick {

namespace {

// Where a long tip wraps, in pixels at 96 DPI.
constexpr int kMaxTipWidth = 300;

} // namespace

void ToolTips::create(HWND owner, const FormControls& controls) {
    window_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) {
        return;
    }
    for (const ControlSpec& design : kControlTable) {
        if (design.toolTip.empty()) {
            continue;
        }
        std::wstring text = toWide(design.toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = owner;
        tool.uId = reinterpret_cast<UINT_PTR>(controls.window(design.id));
        tool.lpszText = text.data();
        ::SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    applyDpi(controls.dpi());
}

void ToolTips::applyDpi(UINT dpi) const {
    if (window_ != nullptr) {
        ::SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0,
                       atDpi(kMaxTipWidth, kPixelsPerInchAt96Dpi, dpi));
    }
}

} // namespace tallywick
