// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// The real Win32 window with fake services: run under Wine on a virtual
// display, where the window system is real but no box ever waits for a person.
#include "ui/win32/Win32MainWindow.h"

#include "FakePlatform.h"
#include "app/MenuTree.h"
#include "launch/WebTargets.h"

#include <algorithm>
#include <array>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>
#include <vector>

namespace tallywick {
namespace {

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring className(HWND window) {
    std::array<wchar_t, 64> name{};
    ::RealGetWindowClassW(window, name.data(), static_cast<UINT>(name.size()));
    return name.data();
}

std::wstring wide(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

// Left, top, right, bottom.
using Edges = std::array<LONG, 4>;

// The control's rectangle in its parent's client coordinates.
Edges clientRect(HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

Edges clientArea(HWND window) {
    RECT rect;
    ::GetClientRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

LONG_PTR styleOf(HWND window) {
    return ::GetWindowLongPtrW(window, GWL_STYLE);
}

std::wstring menuText(HMENU menu, UINT position) {
    std::array<wchar_t, 128> text{};
    ::GetMenuStringW(menu, position, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    return text.data();
}

// The exit code of the WM_QUIT waiting in this thread's queue, or -1.
int postedQuit() {
    MSG message;
    if (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        return static_cast<int>(message.wParam);
    }
    return -1;
}

class Win32MainWindowTest : public ::testing::Test, public testing::FakeServices {
protected:
    void SetUp() override {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(window.create()) << "no window: is there a display?";
        window.attach(form);
        main = window.window();
    }

    void TearDown() override {
        ::DestroyWindow(main);
        while (postedQuit() != -1) {
        }
        ::CoUninitialize();
    }

    void loadAndShow() {
        listFiles.files = {{"buslist.txt", "Alpha\r\nBeta\r\n"},
                           {"buslistb.txt", "Gamma\r\n"},
                           {"buslistc.txt", ""}};
        ASSERT_EQ(form.load(), LoadOutcome::Show);
        window.show(SW_SHOWNORMAL);
        ::SetForegroundWindow(main);
        journal.clear();
    }

    HWND control(std::string_view name) const {
        const HWND found = window.control(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void click(std::string_view button) const { ::SendMessageW(control(button), BM_CLICK, 0, 0); }

    // Hands a keyboard message to the dialog manager as the message loop does.
    bool dialogKey(UINT message, WPARAM key, HWND target) const {
        MSG msg{target, message, key, 0, 0, {}};
        return ::IsDialogMessageW(main, &msg) != FALSE;
    }

    Win32MainWindow window;
    Form1 form{services("C:\\Windows\\notepad.exe"), window};
    HWND main = nullptr;
};

TEST_F(Win32MainWindowTest, everyControlHasItsClassTextAndRectangleAt96Dpi) {
    ASSERT_EQ(::GetDpiForWindow(main), 96u);
    for (const ControlSpec& design : kControlTable) {
        SCOPED_TRACE(design.name);
        const HWND hwnd = control(design.name);
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(::GetParent(hwnd), main);
        switch (design.kind) {
        case ControlKind::Label:
            EXPECT_EQ(className(hwnd), L"Static");
            break;
        case ControlKind::ListBox:
            EXPECT_EQ(className(hwnd), L"ListBox");
            break;
        case ControlKind::CommandButton:
            EXPECT_EQ(className(hwnd), L"Button");
            break;
        case ControlKind::PictureBox:
            EXPECT_EQ(className(hwnd), L"TallywickPictureBox");
            break;
        }
        EXPECT_EQ(windowText(hwnd), wide(design.text));
        const Edges expected{design.left / 15, design.top / 15, (design.left + design.width) / 15,
                             (design.top + design.height) / 15};
        EXPECT_EQ(clientRect(hwnd), expected);
    }
}

TEST_F(Win32MainWindowTest, fixedBorderWithMinimiseBoxAroundTheDesignedClientArea) {
    const LONG_PTR style = styleOf(main);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(windowText(main), wide(mainWindowTitle()));
    // The menu bar may take two rows; the client area stays 9060 x 5175 twips.
    EXPECT_EQ(clientArea(main), (Edges{0, 0, 604, 345}));

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT frame;
    ::GetWindowRect(main, &frame);
    EXPECT_LE(std::abs((frame.left + frame.right) - (monitor.rcWork.left + monitor.rcWork.right)),
              1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (monitor.rcWork.top + monitor.rcWork.bottom)),
              1);
}

TEST_F(Win32MainWindowTest, controlStylesMatchTheirKind) {
    for (const ControlSpec& design : kControlTable) {
        SCOPED_TRACE(design.name);
        const HWND hwnd = control(design.name);
        const LONG_PTR style = styleOf(hwnd);
        switch (design.kind) {
        case ControlKind::Label:
            EXPECT_EQ(style & SS_TYPEMASK,
                      design.alignment == TextAlignment::Center ? SS_CENTER : SS_LEFT);
            EXPECT_FALSE(style & WS_TABSTOP);
            break;
        case ControlKind::ListBox:
            EXPECT_TRUE(style & LBS_NOTIFY);
            EXPECT_TRUE(style & LBS_NOINTEGRALHEIGHT);
            EXPECT_FALSE(style & LBS_SORT);
            EXPECT_TRUE(style & WS_TABSTOP);
            break;
        case ControlKind::CommandButton:
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
            EXPECT_TRUE(style & BS_MULTILINE);
            EXPECT_TRUE(style & WS_TABSTOP);
            // Only the version 6 buttons of the manifest know their ideal size.
            {
                SIZE ideal{};
                EXPECT_TRUE(
                    ::SendMessageW(hwnd, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
            }
            EXPECT_FALSE(::SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
            break;
        case ControlKind::PictureBox:
            EXPECT_TRUE(style & WS_BORDER);
            EXPECT_TRUE(style & WS_TABSTOP);
            break;
        }
    }
}

TEST_F(Win32MainWindowTest, tabKeyVisitsTheControlsInTabIndexOrder) {
    std::vector<const ControlSpec*> focusable = controlsInTabOrder();
    std::erase_if(focusable,
                  [](const ControlSpec* design) { return design->kind == ControlKind::Label; });
    ASSERT_EQ(focusable.front()->name, "List1");
    HWND current = control("List1");
    for (std::size_t i = 1; i <= focusable.size(); ++i) {
        current = ::GetNextDlgTabItem(main, current, FALSE);
        const ControlSpec* expected = focusable[i % focusable.size()];
        EXPECT_EQ(current, control(expected->name)) << "stop " << i << ": " << expected->name;
    }
    EXPECT_EQ(::GetNextDlgTabItem(main, control("List1"), TRUE), control("Picture4"));
}

TEST_F(Win32MainWindowTest, listTextColoursComeFromTheControlTable) {
    const HDC dc = ::CreateCompatibleDC(nullptr);
    const struct {
        std::string_view list;
        COLORREF colour;
    } cases[] = {{"List1", ::GetSysColor(COLOR_WINDOWTEXT)},
                 {"List2", RGB(0, 128, 0)},
                 {"List3", RGB(255, 0, 0)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        ::SetTextColor(dc, RGB(1, 2, 3));
        ::SendMessageW(main, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                       reinterpret_cast<LPARAM>(control(c.list)));
        EXPECT_EQ(::GetTextColor(dc), c.colour);
    }
    ::DeleteDC(dc);
}

TEST_F(Win32MainWindowTest, menuBarFollowsTheMenuTreeAndEachItemRunsItsCommand) {
    loadAndShow();
    const HMENU bar = ::GetMenu(main);
    ASSERT_NE(bar, nullptr);
    UINT barPosition = 0;
    UINT itemPosition = 0;
    HMENU dropDown = nullptr;
    for (const MenuItemSpec& item : kMenuTree) {
        SCOPED_TRACE(item.name);
        HMENU menu = item.level == 0 ? bar : dropDown;
        const UINT position = item.level == 0 ? barPosition++ : itemPosition++;
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menuText(menu, position), wide(item.caption));
        if (item.action == MenuAction::DropDown) {
            dropDown = ::GetSubMenu(bar, static_cast<int>(position));
            itemPosition = 0;
            continue;
        }
        EXPECT_EQ(::GetSubMenu(menu, static_cast<int>(position)), nullptr);
        shell.requests.clear();
        const UINT id = ::GetMenuItemID(menu, static_cast<int>(position));
        ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        ASSERT_EQ(shell.requests.size(), 1u);
        const LaunchRequest& request = shell.requests.front();
        if (item.action == MenuAction::About) {
            EXPECT_EQ(request.file, "C:\\Windows\\notepad.exe");
            EXPECT_EQ(request.parameters, "bushelp.txt");
            EXPECT_EQ(request.directory, "0");
            EXPECT_EQ(request.parent, reinterpret_cast<WindowHandle>(::GetDesktopWindow()));
        } else {
            EXPECT_EQ(request.file, webAddress(*item.page));
            EXPECT_EQ(request.parent, reinterpret_cast<WindowHandle>(main));
        }
    }
    EXPECT_EQ(::GetMenuItemCount(bar), 8);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 1)), 2);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 3)), 6);
    EXPECT_EQ(::GetMenuItemCount(::GetSubMenu(bar, 7)), 2);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Win32MainWindowTest, startUpFillsTheListsAndCaptions) {
    loadAndShow();
    ASSERT_EQ(::SendMessageW(control("List1"), LB_GETCOUNT, 0, 0), 2);
    std::array<wchar_t, 16> entry{};
    ::SendMessageW(control("List1"), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(entry.data()));
    EXPECT_STREQ(entry.data(), L"Beta");
    EXPECT_EQ(::SendMessageW(control("List3"), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(windowText(control("Label1")), L"2 American Express Cards");
    EXPECT_EQ(windowText(control("Label5")), L"1 Visa / MasterCard Cards");
    EXPECT_EQ(windowText(control("Label6")), L"0 Retail Business Cards");
    EXPECT_EQ(windowText(control("Label8")), L"8,388,608 KB");
    EXPECT_EQ(windowText(control("Label10")), L"3,145,728 KB");
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_EQ(::GetFocus(), control("List1"));
}

TEST_F(Win32MainWindowTest, listsHoldTheirFullCapacity) {
    ListEntries entries;
    for (std::size_t i = 0; i < 32767; ++i) {
        entries.push_back("Source " + std::to_string(i));
    }
    window.fillList(ControlId::List2, entries);
    EXPECT_EQ(window.listCount(ControlId::List2), 32767u);
    EXPECT_TRUE(styleOf(control("List2")) & WS_VSCROLL);
    std::array<wchar_t, 32> last{};
    ::SendMessageW(control("List2"), LB_GETTEXT, 32766, reinterpret_cast<LPARAM>(last.data()));
    EXPECT_STREQ(last.data(), L"Source 32766");
    window.fillList(ControlId::List2, ListEntries(std::vector<std::string>{"Only"}));
    EXPECT_EQ(window.listCount(ControlId::List2), 1u);
    // The scroll bar shows only while the entries do not fit.
    EXPECT_FALSE(styleOf(control("List2")) & WS_VSCROLL);
}

TEST_F(Win32MainWindowTest, applicationButtonOpensBothPagesForTheSelectedSource) {
    loadAndShow();
    ::SendMessageW(control("List1"), LB_SETCURSEL, 0, 0);
    EXPECT_EQ(window.selectedIndex(ControlId::List1), 0);
    const auto active = reinterpret_cast<WindowHandle>(::GetActiveWindow());
    click("Command2");
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[0].file, webAddress(WebTarget::PublisherHome));
    EXPECT_EQ(shell.requests[1].file, webAddress(WebTarget::AmexApplication));
    EXPECT_EQ(shell.requests[0].operation, "Open");
    EXPECT_EQ(shell.requests[0].parent, active);
    EXPECT_TRUE(::IsIconic(main));
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Win32MainWindowTest, applicationButtonWithoutSelectionAsksForOne) {
    loadAndShow();
    click("Command4");
    EXPECT_TRUE(shell.requests.empty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Sorry!  You must select a Credit Source from the Listbox!!!");
    EXPECT_EQ(boxes.shown[0].style, 0u);
    EXPECT_EQ(boxes.shown[0].shownTitle(), "TALLYWICK");
    EXPECT_FALSE(::IsIconic(main));
}

TEST_F(Win32MainWindowTest, refusedLaunchIsReportedAsASystemModalError) {
    loadAndShow();
    ::SendMessageW(control("List2"), LB_SETCURSEL, 0, 0);
    shell.results = {42, 2};
    click("Command4");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "File Not Found");
    EXPECT_EQ(boxes.shown[0].shownTitle(), "Error Message");
    EXPECT_EQ(boxes.shown[0].style, 0x1010u);
    EXPECT_TRUE(::IsWindow(main));
}

TEST_F(Win32MainWindowTest, exitButtonDestroysTheWindowAndEndsTheLoopWithZero) {
    loadAndShow();
    click("Command1");
    EXPECT_FALSE(::IsWindow(main));
    EXPECT_EQ(postedQuit(), 0);
    EXPECT_TRUE(shell.requests.empty());
}

TEST_F(Win32MainWindowTest, untrappedErrorIsReportedAndEndsTheLoopWithOne) {
    loadAndShow();
    ::SendMessageW(control("List1"), LB_SETCURSEL, 1, 0);
    shell.throwOnNext = true;
    click("Command2");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Run-time error '7':\n\nOut of memory");
    EXPECT_EQ(boxes.shown[0].style, 0x10u);
    EXPECT_EQ(postedQuit(), 1);
    EXPECT_FALSE(::IsWindowVisible(main));
}

TEST_F(Win32MainWindowTest, buttonAccessKeysWinOverTheMenuBar) {
    loadAndShow();
    // Alt+R: "Open &Retail Business Application", not "Credit &Repair".
    EXPECT_TRUE(dialogKey(WM_SYSCHAR, 'r', control("List1")));
    EXPECT_TRUE(shell.requests.empty());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Sorry!  You must select a Credit Source from the Listbox!!!");
    // Alt+X: "E&xit".
    EXPECT_TRUE(dialogKey(WM_SYSCHAR, 'x', control("List2")));
    EXPECT_FALSE(::IsWindow(main));
}

TEST_F(Win32MainWindowTest, enterAndEscapePressNoButton) {
    loadAndShow();
    ::SendMessageW(control("List1"), LB_SETCURSEL, 0, 0);
    ::SetFocus(control("List1"));
    dialogKey(WM_KEYDOWN, VK_RETURN, control("List1"));
    dialogKey(WM_KEYDOWN, VK_ESCAPE, control("List1"));
    dialogKey(WM_CHAR, VK_RETURN, control("List1"));
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_FALSE(::IsIconic(main));
}

TEST_F(Win32MainWindowTest, buttonsCarryTheirToolTips) {
    const HWND tips = window.toolTips();
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 4);
    for (const ControlSpec& design : kControlTable) {
        if (design.kind != ControlKind::CommandButton) {
            continue;
        }
        SCOPED_TRACE(design.name);
        std::array<wchar_t, 256> text{};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = main;
        tool.uId = reinterpret_cast<UINT_PTR>(control(design.name));
        tool.lpszText = text.data();
        ::SendMessageW(tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
        EXPECT_EQ(std::wstring(text.data()), wide(design.toolTip));
    }
}

TEST_F(Win32MainWindowTest, newDpiScalesTheLayoutAndTheClientArea) {
    RECT suggested;
    ::GetWindowRect(main, &suggested);
    ::SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    // 1440 twips to the inch: List1 at (1440, 240), 4695 x 780 twips.
    EXPECT_EQ(clientRect(control("List1")), (Edges{144, 24, 144 + 470, 24 + 78}));
    EXPECT_EQ(clientRect(control("Command1")), (Edges{708, 348, 708 + 122, 348 + 50}));
    EXPECT_EQ(clientArea(main), (Edges{0, 0, 906, 518}));
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control("Command2"), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16); // 8 points at 144 DPI
}

} // namespace
} // namespace tallywick
