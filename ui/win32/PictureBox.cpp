// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/PictureBox.h"

#include "ui/win32/DpiScaling.h"

#include <utility>

namespace tallywick {

PictureBox::PictureBox(HWND parent, int id, const RECT& rect, ResourceBitmap picture)
    : picture_(std::move(picture)) {
    WindowArgs args;
    args.style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
    args.x = rect.left;
    args.y = rect.top;
    args.width = rect.right - rect.left;
    args.height = rect.bottom - rect.top;
    args.parent = parent;
    args.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    createWindow(args);
}

void PictureBox::describeClass(WNDCLASSEXW& windowClass) {
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_WINDOW);
}

LRESULT PictureBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC dc = ::BeginPaint(hwnd_, &ps);
        paint(dc);
        ::EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        ::InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    default:
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void PictureBox::paint(HDC dc) const {
    RECT client;
    ::GetClientRect(hwnd_, &client);
    if (!picture_.empty()) {
        const UINT dpi = ::GetDpiForWindow(hwnd_);
        const SIZE size = picture_.size();
        const HDC source = ::CreateCompatibleDC(dc);
        const HGDIOBJ previous = ::SelectObject(source, picture_.handle());
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(dc, 0, 0, atDpi(size.cx, kPixelsPerInchAt96Dpi, dpi),
                        atDpi(size.cy, kPixelsPerInchAt96Dpi, dpi), source, 0, 0, size.cx, size.cy,
                        blend);
        ::SelectObject(source, previous);
        ::DeleteDC(source);
    }
    if (::GetFocus() == hwnd_) {
        ::DrawFocusRect(dc, &client);
    }
}

} // namespace tallywick
