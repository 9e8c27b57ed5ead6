// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/Win32MainWindow.h"

#include "app/MenuTree.h"
#include "platform/win32/WideText.h"
#include "ui/win32/AccessibleControl.h"
#include "ui/win32/resource.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <oleacc.h>
#include <utility>

namespace tallywick {

namespace {

// Control ids follow the control table; menu command ids the menu tree. Both
// stay clear of IDOK and IDCANCEL, which IsDialogMessage sends for Enter and
// Escape: with no default push button those keys do nothing.
constexpr int kFirstControlId = 100;
constexpr int kFirstMenuId = 1000;

// The layout is drawn for the 8-point dialog font.
constexpr int kFontPoints = 8;

int scaled(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), 1440);
}

RECT controlRect(const ControlSpec& design, UINT dpi) {
    const int left = scaled(design.left, dpi);
    const int top = scaled(design.top, dpi);
    return {left, top, left + scaled(design.width, dpi), top + scaled(design.height, dpi)};
}

DWORD controlStyle(const ControlSpec& design) {
    switch (design.kind) {
    case ControlKind::Label:
        // Both alignments wrap words onto further lines.
        return (design.alignment == TextAlignment::Center ? SS_CENTER : SS_LEFT) | SS_NOPREFIX |
               WS_CLIPSIBLINGS;
    case ControlKind::ListBox:
        return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
    case ControlKind::CommandButton:
        return BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP;
    case ControlKind::PictureBox:
        break;
    }
    return 0;
}

const wchar_t* controlClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::Label:
        return WC_STATICW;
    case ControlKind::ListBox:
        return WC_LISTBOXW;
    case ControlKind::CommandButton:
        return WC_BUTTONW;
    case ControlKind::PictureBox:
        break;
    }
    return nullptr;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HFONT createDialogFont(UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -::MulDiv(kFontPoints, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    // "MS Shell Dlg" is the system's alias for its dialog face.
    ::lstrcpynW(font.lfFaceName, L"MS Shell Dlg", LF_FACESIZE);
    return ::CreateFontIndirectW(&font);
}

// Replaces a list box's entries without redrawing it for each one.
template <typename Entries> void fillListBox(HWND box, const Entries& entries) {
    ::SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(box, LB_RESETCONTENT, 0, 0);
    std::size_t bytes = 0;
    for (const std::string_view entry : entries) {
        bytes += (entry.size() + 1) * sizeof(wchar_t);
    }
    ::SendMessageW(box, LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
    for (const std::string_view entry : entries) {
        ::SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(entry).c_str()));
    }
    ::SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(box, nullptr, TRUE);
}

} // namespace

HWND Win32MainWindow::Control::hwnd() const {
    return child ? child->hwnd() : picture->window();
}

Win32MainWindow::Win32MainWindow() = default;

Win32MainWindow::~Win32MainWindow() {
    destroy();
    controls_.clear();
    if (menu_ != nullptr) {
        // The window was never made: the menu is still ours.
        ::DestroyMenu(menu_);
    }
    if (font_ != nullptr) {
        ::DeleteObject(font_);
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
    createMenu();
    const std::wstring title = toWide(mainWindowTitle());
    WindowArgs args;
    args.title = title.c_str();
    args.style = kStyle;
    args.menuOrId = menu_;
    if (!createWindow(args)) {
        return false;
    }
    // Each control is made in its place and with its font, once.
    dpi_ = ::GetDpiForWindow(hwnd_);
    font_ = createDialogFont(dpi_);
    createControls();
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
    if (toolTips_ == nullptr) {
        createToolTips();
    }
    return toolTips_;
}

void Win32MainWindow::createMenu() {
    menu_ = ::CreateMenu();
    HMENU dropDown = nullptr;
    for (std::size_t i = 0; i < kMenuTree.size(); ++i) {
        const MenuItemSpec& item = kMenuTree[i];
        const std::wstring caption = toWide(item.caption);
        if (item.action == MenuAction::DropDown) {
            dropDown = ::CreatePopupMenu();
            ::AppendMenuW(menu_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown),
                          caption.c_str());
            continue;
        }
        const UINT_PTR id = kFirstMenuId + i;
        ::AppendMenuW(item.level == 0 ? menu_ : dropDown, MF_STRING, id, caption.c_str());
    }
}

void Win32MainWindow::createControls() {
    // Dialog navigation follows the windows' order, so they are created in
    // tab order; that also puts the lists above the labels they touch.
    for (const ControlSpec* ordered : controlsInTabOrder()) {
        const ControlSpec& design = *ordered;
        const auto index = static_cast<std::size_t>(ordered - kControlTable.data());
        const int id = kFirstControlId + static_cast<int>(index);
        Control control{&design, nullptr, nullptr};
        const RECT rect = controlRect(design, dpi_);
        if (design.kind == ControlKind::PictureBox) {
            // The program's resources hold each picture under its box's name.
            control.picture = std::make_unique<PictureBox>(
                hwnd_, id, rect,
                ResourceBitmap::load(::GetModuleHandleW(nullptr), toWide(design.name()).c_str()));
        } else {
            ChildControl::CreateArgs args;
            args.parent = hwnd_;
            args.className = controlClass(design.kind);
            args.text = toWide(design.text);
            args.style = controlStyle(design);
            args.exStyle = design.kind == ControlKind::ListBox ? WS_EX_CLIENTEDGE : 0;
            args.id = id;
            args.rect = rect;
            args.font = font_;
            control.child = std::make_unique<ChildControl>(args);
            if (design.kind == ControlKind::CommandButton) {
                control.child->onClick = [this, button = design.id] {
                    if (form_ != nullptr) {
                        finish(form_->click(button));
                    }
                };
            }
        }
        controls_.push_back(std::move(control));
    }
    nameForScreenReaders();
}

void Win32MainWindow::nameForScreenReaders() const {
    // A list or a memory figure is named by the label that names it (a
    // figure keeps its own text as its value), a picture by what it shows.
    // Roles are said outright: Wine's standard object takes a list box for a
    // plain window.
    for (const Control& control : controls_) {
        const ControlSpec& design = *control.design;
        AccessibleNames names;
        if (design.labelledBy) {
            const HWND label = this->control(controlName(*design.labelledBy));
            names.name = [label] {
                return windowText(label);
            };
            if (design.kind == ControlKind::Label) {
                names.value = [figure = control.hwnd()] {
                    return windowText(figure);
                };
            } else if (design.kind == ControlKind::ListBox) {
                names.role = ROLE_SYSTEM_LIST;
            }
        } else if (!design.accessibleName.empty()) {
            names.name = [name = toWide(design.accessibleName)] {
                return name;
            };
            names.role = ROLE_SYSTEM_GRAPHIC;
        } else {
            continue;
        }
        makeAccessible(control.hwnd(), std::move(names));
    }
}

void Win32MainWindow::createToolTips() {
    toolTips_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (toolTips_ == nullptr) {
        return;
    }
    for (const Control& control : controls_) {
        if (control.design->toolTip.empty()) {
            continue;
        }
        std::wstring text = toWide(control.design->toolTip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd());
        tool.lpszText = text.data();
        ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    setToolTipWidth();
}

void Win32MainWindow::applyDpi(UINT dpi, const RECT* suggested) {
    const HFONT previous = font_;
    if (dpi != dpi_) {
        font_ = createDialogFont(dpi);
        dpi_ = dpi;
    }
    for (const Control& control : controls_) {
        const RECT rect = controlRect(*control.design, dpi_);
        if (control.child) {
            control.child->setFont(font_);
            control.child->place(rect);
        } else {
            ::SetWindowPos(control.hwnd(), nullptr, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (previous != font_) {
        ::DeleteObject(previous);
    }
    setToolTipWidth();
    sizeWindow(suggested);
}

void Win32MainWindow::setToolTipWidth() const {
    if (toolTips_ != nullptr) {
        // Long tips wrap instead of running across the screen.
        ::SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, ::MulDiv(300, static_cast<int>(dpi_), 96));
    }
}

// Sizes the window so that its client area holds the layout at its DPI: at
// SUGGESTED's place after a change of DPI, else first placed centred on the
// primary screen's work area.
void Win32MainWindow::sizeWindow(const RECT* suggested) {
    const int clientWidth = scaled(kClientWidthTwips, dpi_);
    const int clientHeight = scaled(kClientHeightTwips, dpi_);
    RECT frame{0, 0, clientWidth, clientHeight};
    ::AdjustWindowRectExForDpi(&frame, kStyle, TRUE, 0, dpi_);
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
    const int id = LOWORD(wParam);
    if (lParam == 0 && HIWORD(wParam) == 0) {
        const int item = id - kFirstMenuId;
        if (item >= 0 && item < static_cast<int>(kMenuTree.size()) && form_ != nullptr) {
            finish(form_->choose(kMenuTree[static_cast<std::size_t>(item)]));
        }
        return;
    }
    if (HIWORD(wParam) != BN_CLICKED) {
        return;
    }
    for (const Control& control : controls_) {
        if (control.child && control.child->id() == id &&
            control.child->hwnd() == reinterpret_cast<HWND>(lParam) && control.child->onClick) {
            control.child->onClick();
            return;
        }
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
    for (const Control& control : controls_) {
        if (control.hwnd() == list && control.design->foreground) {
            const Rgb& colour = *control.design->foreground;
            ::SetTextColor(dc, RGB(colour.red, colour.green, colour.blue));
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
    }
    return ::DefWindowProcW(hwnd_, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                            reinterpret_cast<LPARAM>(list));
}

const Win32MainWindow::Control* Win32MainWindow::find(std::string_view name) const {
    const auto it =
        std::find_if(controls_.begin(), controls_.end(),
                     [name](const Control& control) { return control.design->name() == name; });
    return it == controls_.end() ? nullptr : &*it;
}

HWND Win32MainWindow::control(std::string_view name) const {
    const Control* found = find(name);
    return found != nullptr ? found->hwnd() : nullptr;
}

HWND Win32MainWindow::listWindow(ControlId list) const {
    return control(controlName(list));
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
    fillListBox(listWindow(list), entries);
}

std::size_t Win32MainWindow::listCount(ControlId list) const {
    const LRESULT count = ::SendMessageW(listWindow(list), LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

int Win32MainWindow::selectedIndex(ControlId list) const {
    const LRESULT selected = ::SendMessageW(listWindow(list), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void Win32MainWindow::setCaption(ControlId label, const std::string& text) {
    if (const Control* found = find(controlName(label)); found != nullptr && found->child) {
        found->child->setText(text);
    }
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
