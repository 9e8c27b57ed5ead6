// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// What only the Win32 window has: its system control classes and styles, its
// frame, the message loop's exit codes and scaling to a new DPI. What every
// front-end does is in tests/ui/WindowBehaviourTest.cpp. Run under Wine on a
// virtual display, where the window system is real but no box ever waits for
// a person.
#include "ui/win32/Win32MainWindow.h"

#include "Win32WindowDriver.h"
#include "app/MenuTree.h"
#include "platform/win32/WideText.h"

#include <array>
#include <commctrl.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <oleacc.h>

namespace tallywick {
namespace {

using testing::Win32WindowDriver;

std::wstring className(HWND window) {
    std::array<wchar_t, 64> name{};
    ::RealGetWindowClassW(window, name.data(), static_cast<UINT>(name.size()));
    return name.data();
}

LONG_PTR styleOf(HWND window) {
    return ::GetWindowLongPtrW(window, GWL_STYLE);
}

// Left, top, right, bottom.
using Edges = std::array<LONG, 4>;

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

TEST(Win32MainWindowTest, everyControlIsASystemControlOfItsKindAt96Dpi) {
    Win32WindowDriver driver;
    ASSERT_EQ(::GetDpiForWindow(driver.main()), 96u);
    for (const ControlSpec& design : kControlTable) {
        SCOPED_TRACE(design.name());
        const HWND hwnd = driver.control(design.id);
        EXPECT_EQ(::GetParent(hwnd), driver.main());
        const LONG_PTR style = styleOf(hwnd);
        switch (design.kind) {
        case ControlKind::Label:
            EXPECT_EQ(className(hwnd), L"Static");
            EXPECT_EQ(style & SS_TYPEMASK,
                      design.alignment == TextAlignment::Center ? SS_CENTER : SS_LEFT);
            EXPECT_FALSE(style & WS_TABSTOP);
            break;
        case ControlKind::ListBox:
            EXPECT_EQ(className(hwnd), L"ListBox");
            EXPECT_TRUE(style & LBS_NOTIFY);
            EXPECT_TRUE(style & LBS_NOINTEGRALHEIGHT);
            EXPECT_FALSE(style & LBS_SORT);
            EXPECT_TRUE(style & WS_TABSTOP);
            break;
        case ControlKind::CommandButton: {
            EXPECT_EQ(className(hwnd), L"Button");
            EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
            EXPECT_TRUE(style & BS_MULTILINE);
            EXPECT_TRUE(style & WS_TABSTOP);
            // Only the version 6 buttons of the manifest know their ideal size.
            SIZE ideal{};
            EXPECT_TRUE(
                ::SendMessageW(hwnd, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
            EXPECT_FALSE(::SendMessageW(hwnd, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON);
            break;
        }
        case ControlKind::PictureBox:
            EXPECT_EQ(className(hwnd), L"TallywickPictureBox");
            EXPECT_TRUE(style & WS_BORDER);
            EXPECT_TRUE(style & WS_TABSTOP);
            break;
        }
    }
}

TEST(Win32MainWindowTest, fixedBorderWithMinimiseBoxCentredOnThePrimaryScreen) {
    Win32WindowDriver driver;
    const LONG_PTR style = styleOf(driver.main());
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT frame;
    ::GetWindowRect(driver.main(), &frame);
    EXPECT_LE(std::abs((frame.left + frame.right) - (monitor.rcWork.left + monitor.rcWork.right)),
              1);
    EXPECT_LE(std::abs((frame.top + frame.bottom) - (monitor.rcWork.top + monitor.rcWork.bottom)),
              1);
}

TEST(Win32MainWindowTest, listScrollBarShowsOnlyWhileTheEntriesDoNotFit) {
    Win32WindowDriver driver;
    std::vector<std::string> sources;
    for (std::size_t i = 0; i < 100; ++i) {
        sources.push_back("Source " + std::to_string(i));
    }
    driver.window().fillList(ControlId::List2, ListEntries(sources));
    EXPECT_TRUE(styleOf(driver.control(ControlId::List2)) & WS_VSCROLL);
    driver.window().fillList(ControlId::List2, ListEntries(std::vector<std::string>{"Only"}));
    EXPECT_EQ(driver.window().listCount(ControlId::List2), 1u);
    EXPECT_FALSE(styleOf(driver.control(ControlId::List2)) & WS_VSCROLL);
}

TEST(Win32MainWindowTest, exitEndsTheMessageLoopWithZeroAndAnUntrappedErrorWithOne) {
    {
        Win32WindowDriver driver;
        driver.deliverListFiles("Alpha\r\n", "", "");
        ASSERT_TRUE(driver.loadAndShow());
        driver.press(ControlId::Command1);
        EXPECT_FALSE(::IsWindow(driver.main()));
        EXPECT_EQ(driver.exitCode(), 0);
    }
    Win32WindowDriver driver;
    driver.deliverListFiles("Alpha\r\n", "", "");
    ASSERT_TRUE(driver.loadAndShow());
    driver.select(ControlId::List1, 0);
    driver.shell.throwOnNext = true;
    driver.press(ControlId::Command2);
    EXPECT_EQ(driver.exitCode(), 1);
}

TEST(Win32MainWindowTest, newDpiScalesTheLayoutAndTheClientArea) {
    Win32WindowDriver driver;
    const HWND main = driver.main();
    RECT suggested;
    ::GetWindowRect(main, &suggested);
    ::SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    // 1440 twips to the inch: List1 at (1440, 240), 4695 x 780 twips.
    EXPECT_EQ(clientRect(driver.control(ControlId::List1)), (Edges{144, 24, 144 + 470, 24 + 78}));
    EXPECT_EQ(clientRect(driver.control(ControlId::Command1)),
              (Edges{708, 348, 708 + 122, 348 + 50}));
    EXPECT_EQ(clientArea(main), (Edges{0, 0, 906, 518}));
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(
                     ::SendMessageW(driver.control(ControlId::Command2), WM_GETFONT, 0, 0)),
                 sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -16); // 8 points at 144 DPI
}

// The MSAA name, value or role of a control, as a screen reader reads them.
struct Spoken {
    std::string name;
    std::string value;
    long role = 0;
};

Spoken spoken(HWND control) {
    Spoken heard;
    IAccessible* accessible = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&accessible)))) {
        return heard;
    }
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (accessible->get_accName(self, &text) == S_OK && text != nullptr) {
        heard.name = toUtf8(text);
    }
    ::SysFreeString(text);
    text = nullptr;
    if (accessible->get_accValue(self, &text) == S_OK && text != nullptr) {
        heard.value = toUtf8(text);
    }
    ::SysFreeString(text);
    VARIANT role;
    ::VariantInit(&role);
    if (accessible->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
        heard.role = role.lVal;
    }
    accessible->Release();
    return heard;
}

TEST(Win32AccessibilityTest, memoryFiguresAreNamedByTheirCaptionsPicturesAreGraphics) {
    Win32WindowDriver driver;
    driver.deliverListFiles("Alpha\r\n", "", "");
    ASSERT_TRUE(driver.loadAndShow());
    const Spoken total = spoken(driver.control(ControlId::Label8));
    EXPECT_EQ(total.name, "Your Total Memory:");
    EXPECT_EQ(total.value, "8,388,608 KB");
    const Spoken available = spoken(driver.control(ControlId::Label10));
    EXPECT_EQ(available.name, "Your Available Memory:");
    EXPECT_EQ(available.value, "3,145,728 KB");
    const Spoken picture = spoken(driver.control(ControlId::Picture2));
    EXPECT_EQ(picture.name, "MasterCard");
    EXPECT_EQ(picture.role, ROLE_SYSTEM_GRAPHIC);
    const Spoken list = spoken(driver.control(ControlId::List1));
    EXPECT_EQ(list.name, "1 American Express Cards");
    EXPECT_EQ(list.role, ROLE_SYSTEM_LIST);
}

// F10 or an Alt tap enters the menu bar at its first entry; Right and Left
// go through the entries in order across the two rows; Return runs one.
TEST(Win32AccessibilityTest, f10AltAndTheArrowsReachEntriesOnBothRowsOfTheBar) {
    using Key = Win32WindowDriver::TypedKey;
    // The key that enters the bar, Right so many times, then the last keys.
    const auto walk = [](UINT opener, int rights, std::vector<Key> last) {
        std::vector<Key> keys{{opener, true}};
        keys.insert(keys.end(), static_cast<std::size_t>(rights), Key{VK_RIGHT});
        keys.insert(keys.end(), last.begin(), last.end());
        return keys;
    };
    struct Walk {
        std::vector<Key> keys;
        std::string_view page;
    };
    const std::vector<Walk> walks = {
        {walk(VK_F10, 2, {{VK_RETURN}}), "https://www.tallywick.example/credit-audit/"},
        {walk(VK_MENU, 5, {{VK_RETURN}}), "https://www.tallywick.example/loans/"},
        {walk(VK_F10, 6, {{VK_RETURN}}),
         "https://downloads.quillpress.example/quillpress-setup.exe"},
        // From Quillpress, the first entry of the second row, Left goes back
        // to the last of the first.
        {walk(VK_F10, 6, {{VK_LEFT}, {VK_RETURN}}), "https://www.tallywick.example/loans/"},
    };
    for (const Walk& run : walks) {
        Win32WindowDriver driver;
        driver.deliverListFiles("Alpha\r\n", "", "");
        ASSERT_TRUE(driver.loadAndShow());
        // The bar wraps onto a second row at this width.
        RECT first{};
        RECT help{};
        const HMENU menu = ::GetMenu(driver.main());
        ASSERT_TRUE(::GetMenuItemRect(driver.main(), menu, 0, &first));
        ASSERT_TRUE(::GetMenuItemRect(driver.main(), menu, 7, &help));
        ASSERT_GT(help.top, first.top) << "Help is not on a second row";

        driver.typeRun(run.keys);
        ASSERT_TRUE(driver.pumpUntil([&] { return !driver.shell.requests.empty(); }))
            << "the keys ran no command";
        EXPECT_EQ(driver.shell.requests.back().file, run.page);
        EXPECT_EQ(driver.shell.requests.size(), 1u);
    }
}

} // namespace
} // namespace tallywick
