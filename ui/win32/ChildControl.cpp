// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/ChildControl.h"

#include "platform/win32/WideText.h"

namespace tallywick {

ChildControl::ChildControl(const CreateArgs& args) {
    const RECT& rect = args.rect;
    hwnd_ = ::CreateWindowExW(args.exStyle, args.className, args.text.c_str(),
                              args.style | WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, args.parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                              ::GetModuleHandleW(nullptr), nullptr);
    if (hwnd_ != nullptr && args.font != nullptr) {
        // Not shown yet: nothing to redraw.
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    }
}

void ChildControl::setText(std::string_view utf8) const {
    ::SetWindowTextW(hwnd_, toWide(utf8).c_str());
}

void ChildControl::setFont(HFONT font) const {
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

} // namespace tallywick
