// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT
#include "Win32WindowDriver.h"

#include "app/MenuTree.h"
#include "platform/win32/WideText.h"

#include <array>
#include <cctype>
#include <chrono>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>
#include <oleacc.h>
#include <stdexcept>

namespace tallywick::testing {
namespace {

std::string windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return toUtf8(text);
}

std::string menuText(HMENU menu, int position) {
    std::array<wchar_t, 128> text{};
    ::GetMenuStringW(menu, static_cast<UINT>(position), text.data(), static_cast<int>(text.size()),
                     MF_BYPOSITION);
    return toUtf8(text.data());
}

Rgb rgb(COLORREF colour) {
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The command id of the menu item with that caption, found by walking the
// window's menu as the user sees it; 0 when there is none.
UINT menuCommand(HMENU menu, std::string_view caption) {
    for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
        if (const HMENU dropDown = ::GetSubMenu(menu, position); dropDown != nullptr) {
            if (const UINT id = menuCommand(dropDown, caption); id != 0) {
                return id;
            }
        } else if (menuText(menu, position) == caption) {
            return ::GetMenuItemID(menu, position);
        }
    }
    return 0;
}

} // namespace

Win32WindowDriver::Apartment::Apartment() {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
}

Win32WindowDriver::Apartment::~Apartment() {
    ::CoUninitialize();
}

Win32WindowDriver::Win32WindowDriver() {
    if (!window_.create()) {
        throw std::runtime_error("no window: is there a display?");
    }
    main_ = window_.window();
    window_.attach(form_);
}

Win32WindowDriver::~Win32WindowDriver() {
    if (::IsWindow(main_)) {
        ::DestroyWindow(main_);
    }
    // Nothing this window left behind reaches the next one.
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

bool Win32WindowDriver::loadAndShow() {
    if (form_.load() != LoadOutcome::Show) {
        return false;
    }
    window_.show(SW_SHOWNORMAL);
    ::SetForegroundWindow(main_);
    return pumpUntil([this] {
        const HWND focus = ::GetFocus();
        return ::GetForegroundWindow() == main_ && focus != nullptr && ::IsChild(main_, focus);
    });
}

HWND Win32WindowDriver::control(ControlId control) const {
    const HWND found = window_.control(control);
    if (found == nullptr) {
        throw std::runtime_error("no control " + std::string(controlName(control)));
    }
    return found;
}

std::string Win32WindowDriver::text(ControlId control) const {
    return windowText(this->control(control));
}

std::vector<std::string> Win32WindowDriver::entries(ControlId list) const {
    const HWND box = control(list);
    const LRESULT count = ::SendMessageW(box, LB_GETCOUNT, 0, 0);
    std::vector<std::string> shown;
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<std::size_t>(::SendMessageW(box, LB_GETTEXTLEN, i, 0)) + 1,
                           L'\0');
        entry.resize(static_cast<std::size_t>(
            ::SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
        shown.push_back(toUtf8(entry));
    }
    return shown;
}

PixelRect Win32WindowDriver::rect(ControlId control) const {
    RECT rect;
    ::GetWindowRect(this->control(control), &rect);
    ::MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

Rgb Win32WindowDriver::textColour(ControlId list) const {
    // The colour the window hands the list box when it draws its entries.
    const HDC dc = ::CreateCompatibleDC(nullptr);
    ::SetTextColor(dc, RGB(1, 2, 3));
    ::SendMessageW(main_, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(control(list)));
    const COLORREF colour = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return rgb(colour);
}

Rgb Win32WindowDriver::systemTextColour() const {
    return rgb(::GetSysColor(COLOR_WINDOWTEXT));
}

std::string Win32WindowDriver::toolTip(ControlId control) const {
    std::array<wchar_t, 256> text{};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = main_;
    tool.uId = reinterpret_cast<UINT_PTR>(this->control(control));
    tool.lpszText = text.data();
    ::SendMessageW(window_.toolTips(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    return toUtf8(text.data());
}

std::string Win32WindowDriver::accessibleName(ControlId control) const {
    IAccessible* accessible = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(this->control(control),
                                            static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&accessible)))) {
        return {};
    }
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::string shown;
    if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
        shown = toUtf8(name);
    }
    ::SysFreeString(name);
    accessible->Release();
    return shown;
}

std::string Win32WindowDriver::entryAccessibleName(ControlId list, int index) const {
    // Windows' standard accessible object names a list box's entries with
    // LB_GETTEXT; Wine's names none.
    return entries(list).at(static_cast<std::size_t>(index));
}

std::optional<ControlId> Win32WindowDriver::focus() const {
    const HWND focused = ::GetFocus();
    for (const ControlSpec& design : kControlTable) {
        if (window_.control(design.id) == focused) {
            return design.id;
        }
    }
    return std::nullopt;
}

int Win32WindowDriver::selectedIndex(ControlId list) const {
    const LRESULT selected = ::SendMessageW(control(list), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

std::vector<ShownMenu> Win32WindowDriver::menuBar() const {
    const HMENU bar = ::GetMenu(main_);
    std::vector<ShownMenu> shown;
    for (int position = 0; position < ::GetMenuItemCount(bar); ++position) {
        ShownMenu entry{menuText(bar, position), {}};
        if (const HMENU dropDown = ::GetSubMenu(bar, position); dropDown != nullptr) {
            for (int item = 0; item < ::GetMenuItemCount(dropDown); ++item) {
                entry.items.push_back(menuText(dropDown, item));
            }
        }
        shown.push_back(std::move(entry));
    }
    return shown;
}

std::string Win32WindowDriver::title() const {
    return windowText(main_);
}

PixelRect Win32WindowDriver::clientArea() const {
    RECT client;
    ::GetClientRect(main_, &client);
    return {client.left, client.top, client.right - client.left, client.bottom - client.top};
}

bool Win32WindowDriver::visible() const {
    return ::IsWindow(main_) && ::IsWindowVisible(main_);
}

bool Win32WindowDriver::minimised() const {
    return ::IsWindow(main_) && ::IsIconic(main_);
}

WindowHandle Win32WindowDriver::handle() const {
    return reinterpret_cast<WindowHandle>(main_);
}

WindowHandle Win32WindowDriver::desktopHandle() const {
    return reinterpret_cast<WindowHandle>(::GetDesktopWindow());
}

void Win32WindowDriver::press(ControlId button) {
    ::SendMessageW(control(button), BM_CLICK, 0, 0);
    pump();
}

void Win32WindowDriver::select(ControlId list, int index) {
    ::SendMessageW(control(list), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Win32WindowDriver::choose(std::string_view menuItem) {
    const MenuItemSpec* item = findMenuItem(menuItem);
    const UINT id = item != nullptr ? menuCommand(::GetMenu(main_), item->caption) : 0;
    if (id == 0) {
        ADD_FAILURE() << "no menu item " << menuItem;
        return;
    }
    // As the menu does when the user chooses an item.
    ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    pump();
}

void Win32WindowDriver::key(Key key) {
    // In the order of Key; the keypad's Enter is Return with the extended-key
    // flag.
    constexpr std::array<UINT, 10> kVirtualKeys = {
        VK_TAB, VK_TAB, VK_HOME, VK_END, VK_UP, VK_DOWN, VK_NEXT, VK_RETURN, VK_ESCAPE, VK_RETURN};
    postKey(kVirtualKeys.at(static_cast<std::size_t>(key)), key == Key::ShiftTab ? VK_SHIFT : 0,
            key == Key::Enter);
}

void Win32WindowDriver::accessKey(char letter) {
    postKey(static_cast<UINT>(std::toupper(static_cast<unsigned char>(letter))), VK_MENU);
}

// The key goes down and up at the focus window with the modifier held, each
// message handled before the next arrives, as typed keys are.
void Win32WindowDriver::postKey(UINT vk, UINT modifier, bool extended) {
    std::array<BYTE, 256> state{};
    ::GetKeyboardState(state.data());
    state[modifier] = modifier != 0 ? 0x80 : 0;
    ::SetKeyboardState(state.data());
    const bool alt = modifier == VK_MENU;
    const LPARAM bits = 1 | static_cast<LPARAM>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16 |
                        (extended ? LPARAM{1} << 24 : 0) | (alt ? LPARAM{1} << 29 : 0);
    for (const bool down : {true, false}) {
        if (::IsWindow(main_)) {
            const HWND focus = ::GetFocus();
            const UINT message =
                alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
            ::PostMessageW(::IsChild(main_, focus) ? focus : main_, message, vk,
                           bits | (down ? 0 : LPARAM{3} << 30));
            pump();
        }
    }
    state[modifier] = 0;
    ::SetKeyboardState(state.data());
}

void Win32WindowDriver::typeRun(const std::vector<TypedKey>& keys) {
    const HWND focus = ::GetFocus();
    const HWND target = ::IsChild(main_, focus) ? focus : main_;
    for (const TypedKey& key : keys) {
        const bool alt = key.system && key.vk == VK_MENU;
        const LPARAM bits = 1 |
                            static_cast<LPARAM>(::MapVirtualKeyW(key.vk, MAPVK_VK_TO_VSC)) << 16 |
                            (alt ? LPARAM{1} << 29 : 0);
        ::PostMessageW(target, key.system ? WM_SYSKEYDOWN : WM_KEYDOWN, key.vk, bits);
        ::PostMessageW(target, key.system ? WM_SYSKEYUP : WM_KEYUP, key.vk, bits | LPARAM{3} << 30);
    }
    pump();
}

void Win32WindowDriver::pump() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quitCode_ = static_cast<int>(message.wParam);
            continue;
        }
        if (::IsWindow(main_) && ::IsDialogMessageW(main_, &message)) {
            continue;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

bool Win32WindowDriver::pumpUntil(const std::function<bool()>& condition) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (true) {
        pump();
        if (condition()) {
            return true;
        }
        if (Clock::now() >= deadline) {
            return false;
        }
        // Wakes as soon as a message arrives; looks again now and then for
        // changes that bring none.
        ::MsgWaitForMultipleObjectsEx(0, nullptr, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

std::unique_ptr<WindowDriver> makeWindowDriver() {
    return std::make_unique<Win32WindowDriver>();
}

} // namespace tallywick::testing
