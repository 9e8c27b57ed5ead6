// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

namespace tallywick {

// A window whose messages go to Derived::handleMessage(). The object is bound
// to its window at WM_NCCREATE and unbound at WM_NCDESTROY, so no message is
// lost and none reaches an object that has let go of its window. Derived
// provides kClassName and describeClass(WNDCLASSEXW&), and destroys its
// window in its own destructor (destroy()).
template <typename Derived> class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    [[nodiscard]] HWND window() const noexcept { return hwnd_; }

protected:
    ~BaseWindow() = default;

    struct WindowArgs {
        const wchar_t* title = L"";
        DWORD style = 0;
        DWORD exStyle = 0;
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
        HWND parent = nullptr;
        HMENU menuOrId = nullptr;
    };

    bool createWindow(const WindowArgs& args) {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        if (!::GetClassInfoExW(instance, Derived::kClassName, &windowClass)) {
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = &BaseWindow::windowProc;
            windowClass.hInstance = instance;
            windowClass.lpszClassName = Derived::kClassName;
            windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            Derived::describeClass(windowClass);
            if (::RegisterClassExW(&windowClass) == 0) {
                return false;
            }
        }
        return ::CreateWindowExW(args.exStyle, Derived::kClassName, args.title, args.style, args.x,
                                 args.y, args.width, args.height, args.parent, args.menuOrId,
                                 instance, static_cast<Derived*>(this)) != nullptr;
    }

    void destroy() noexcept {
        if (hwnd_ != nullptr) {
            ::DestroyWindow(hwnd_);
        }
    }

    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->hwnd_ = hwnd;
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (self == nullptr) {
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
        }
        LRESULT result = 0;
        try {
            result = self->handleMessage(message, wParam, lParam);
        } catch (...) {
            // Nothing may unwind through the system's callback: an error that
            // no handler caught ends the program.
            ::PostQuitMessage(1);
        }
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->hwnd_ = nullptr;
        }
        return result;
    }
};

} // namespace tallywick
