// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// The floor for start-up on Windows: one empty top-level window of the same
// compiler and flags as tallywick.exe, with nothing but a window class, the
// window and a message loop. With --label the window holds one line of text
// in the dialog font, measured before the window shows, as any laid-out
// window measures its text: the least that makes the system load a font.
#include <cstring>
#include <windows.h>

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

void addLabel(HWND window) {
    constexpr const wchar_t* kText = L"One line of text";
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(8, static_cast<int>(::GetDpiForWindow(window)), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    const HFONT handle = ::CreateFontIndirectW(&font);
    const HDC dc = ::GetDC(window);
    const HGDIOBJ previous = ::SelectObject(dc, handle);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, kText, ::lstrlenW(kText), &size);
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    const HWND label = ::CreateWindowExW(0, L"Static", kText, WS_CHILD | WS_VISIBLE, 8, 8, size.cx,
                                         size.cy, window, nullptr, nullptr, nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(handle), FALSE);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TallywickEmptyWindow";
    if (::RegisterClassW(&windowClass) == 0) {
        return 1;
    }
    const HWND window = ::CreateWindowExW(
        0, windowClass.lpszClassName, L"empty window", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    if (std::strstr(commandLine, "--label") != nullptr) {
        addLabel(window);
    }
    ::ShowWindow(window, showCommand);
    ::UpdateWindow(window);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
