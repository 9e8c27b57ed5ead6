// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/Win32MainWindow.h"

#include "catalogue/ShownEntry.h"
#include "platform/win32/WideText.h"
#include "ui/win32/DpiScaling.h"
#include "ui/win32/MenuBar.h"
#include "ui/win32/ScreenReaderNames.h"
#include "ui/win32/resource.h"

#include <algorithm>
#include <commctrl.h>
#include <string_view>

namespace tallywick {

namespace {

// Replaces a list box's entries without redrawing it for each one. The
// entries stay the list box's own strings (an owner-data list would hide
// them from screen readers), with room for all of them reserved at once.
// The list box holds what the window shows of each entry, never more: that
// is what it draws and what LB_GETTEXT gives a screen reader, and no entry
// is ever converted whole.
void fillListBox(HWND box, const ListEntries& entries) {
    ::SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(box, LB_RESETCONTENT, 0, 0);
    // Room for the shown texts: UTF-16 takes no more units than UTF-8 takes
    // bytes, and a cut entry at most two units a character and its ellipsis.
    // The entries are reached by index: how ListEntries walks them is its own.
    constexpr std::size_t kMostShownUnits = 2 * kShownEntryCharacters + 1;
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < entries.size(); ++i) { // NOLINT(modernize-loop-convert)
        bytes += (std::min(entries[i].size(), kMostShownUnits) + 1) * sizeof(wchar_t);
    }
    ::SendMessageW(box, LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
    for (std::size_t i = 0; i < entries.size(); ++i) { // NOLINT(modernize-loop-convert)
        const std::wstring shown = toWide(shownEntryText(entries[i]));
        ::SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
    }
    ::SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(box, nullptr, TRUE);
}

} // namespace

Win32MainWindow::Win32MainWindow() = default;

Win32MainWindow::~Win32MainWindow() {
    destroy();
    if (menu_ != nullptr) {
        // The window was never made: the menu is still ours.
        ::DestroyMenu(menu_);
    }
}

void Win32MainWindow::describeClass(WNDCLASSEXW& windowClass) {
    windowClass.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hIcon = ::LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_TALLYWICK));
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_TALLYWICK), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
}

bool Win32MainWindow::create() {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX),
                                       ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    menu_ = createMenuBar();
    const std::wstring title = toWide(mainWindowTitle());
    WindowArgs args;
    args.title = title.c_str();
    args.style = kStyle;
    args.menuOrId = menu_;
    if (!createWindow(args)) {
        return false;
    }
    // Each control is made in its place and with its font, once.
    controls_.create(hwnd_, ::GetDpiForWindow(hwnd_), [this](ControlId button) {
        if (form_ != nullptr) {
            finish(form_->click(button));
        }
    });
    nameForScreenReaders(controls_);
    sizeWindow(nullptr);
    return true;
}

void Win32MainWindow::show(int showCommand) {
    ::ShowWindow(hwnd_, showCommand);
    ::UpdateWindow(hwnd_);
    // The tips are first needed when the pointer rests on a button: made once
    // the window is on the screen, they do not delay it.
    toolTips();
}

HWND Win32MainWindow::toolTips() {
    if (toolTips_.window() == nullptr) {
        toolTips_.create(hwnd_, controls_);
    }
    return toolTips_.window();
}

void Win32MainWindow::applyDpi(UINT dpi, const RECT* suggested) {
    controls_.applyDpi(dpi);
    toolTips_.applyDpi(dpi);
    sizeWindow(suggested);
}

// Sizes the window so that its client area holds the layout at its DPI: at
// SUGGESTED's place after a change of DPI, else first placed centred on the
// primary screen's work area.
void Win32MainWindow::sizeWindow(const RECT* suggested) {
    const UINT dpi = controls_.dpi();
    const int clientWidth = atDpi(kClientWidthTwips, kTwipsPerInch, dpi);
    const int clientHeight = atDpi(kClientHeightTwips, kTwipsPerInch, dpi);
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectExForDpi(&frame, kStyle, TRUE, 0, dpi);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    if (suggested != nullptr) {
        ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, width, height, flags);
    } else {
        ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, flags | SWP_NOMOVE);
    }
    // The menu bar wraps onto a second row when its entries do not fit one,
    // which the frame computation cannot know: measure and make up for it.
    RECT client;
    ::GetClientRect(hwnd_, &client);
    width += clientWidth - client.right;
    height += clientHeight - client.bottom;
    if (suggested == nullptr) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        const int x = work.left + ((work.right - work.left) - width) / 2;
        const int y = work.top + ((work.bottom - work.top) - height) / 2;
        ::SetWindowPos(hwnd_, nullptr, x, y, width, height, flags);
    } else if (client.right != clientWidth || client.bottom != clientHeight) {
        ::SetWindowPos(hwnd_, nullptr, 0, 0, width, height, flags | SWP_NOMOVE);
    }
}

LRESULT Win32MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        command(wParam, lParam);
        return 0;
    case WM_CTLCOLORLISTBOX:
        return listColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
        // As a dialog does: the focus leaves with the window and comes back
        // to the same control.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = ::GetFocus();
            if (focus != nullptr && ::IsChild(hwnd_, focus)) {
                focus_ = focus;
            }
        }
        break;
    case WM_SETFOCUS: {
        const HWND target = focus_ != nullptr && ::IsWindow(focus_)
                                ? focus_
                                : ::GetNextDlgTabItem(hwnd_, nullptr, FALSE);
        if (target != nullptr) {
            ::SetFocus(target);
        }
        return 0;
    }
    case WM_DPICHANGED:
        applyDpi(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        ::InvalidateRect(hwnd_, nullptr, TRUE);
        return 0;
    case WM_DESTROY:
        menu_ = nullptr; // destroyed with the window
        if (!failed_) {
            ::PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void Win32MainWindow::command(WPARAM wParam, LPARAM lParam) {
    if (lParam == 0 && HIWORD(wParam) == 0) {
        if (const MenuItemSpec* item = chosenMenuItem(::GetMenu(hwnd_), LOWORD(wParam));
            item != nullptr && form_ != nullptr) {
            finish(form_->choose(*item));
        }
        return;
    }
    if (HIWORD(wParam) == BN_CLICKED) {
        controls_.click(reinterpret_cast<HWND>(lParam));
    }
}

void Win32MainWindow::finish(HandlerOutcome outcome) {
    switch (outcome) {
    case HandlerOutcome::Continue:
        break;
    case HandlerOutcome::Exit:
        ::DestroyWindow(hwnd_);
        break;
    case HandlerOutcome::Failed:
        failed_ = true;
        ::ShowWindow(hwnd_, SW_HIDE);
        ::PostQuitMessage(exitCode(outcome));
        break;
    }
}

LRESULT Win32MainWindow::listColours(HDC dc, HWND list) const {
    if (const std::optional<ControlId> id = controls_.find(list); id && design(*id).foreground) {
        const Rgb& colour = *design(*id).foreground;
        ::SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }
    return ::DefWindowProcW(hwnd_, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(list));
}

int Win32MainWindow::runMessageLoop(HWND dialogWindow) {
    MSG message{};
    BOOL got = FALSE;
    while ((got = ::GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) {
            return 1;
        }
        if (dialogWindow != nullptr && ::IsWindow(dialogWindow) &&
            ::IsDialogMessageW(dialogWindow, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

void Win32MainWindow::fillList(ControlId list, ListEntries entries) {
    fillListBox(controls_.window(list), entries);
}

std::size_t Win32MainWindow::listCount(ControlId list) const {
    const LRESULT count = ::SendMessageW(controls_.window(list), LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

int Win32MainWindow::selectedIndex(ControlId list) const {
    const LRESULT selected = ::SendMessageW(controls_.window(list), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void Win32MainWindow::setCaption(ControlId label, const std::string& text) {
    controls_.setText(label, text);
}

void Win32MainWindow::minimise() {
    ::ShowWindow(hwnd_, SW_MINIMIZE);
}

WindowHandle Win32MainWindow::mainWindow() const {
    return reinterpret_cast<WindowHandle>(hwnd_);
}

WindowHandle Win32MainWindow::activeWindow() const {
    return reinterpret_cast<WindowHandle>(::GetActiveWindow());
}

WindowHandle Win32MainWindow::desktopWindow() const {
    return reinterpret_cast<WindowHandle>(::GetDesktopWindow());
}

} // namespace tallywick
