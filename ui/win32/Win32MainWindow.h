// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "app/Form1.h"
#include "app/MainWindowPort.h"
#include "ui/win32/BaseWindow.h"
#include "ui/win32/FormControls.h"
#include "ui/win32/ToolTips.h"

namespace tallywick {

// Form1's window in plain Win32: the menu built from the menu tree, the
// controls from the control table, every click forwarded to Form1. It holds
// no behaviour of its own. It follows the window's DPI; keyboard navigation
// and access keys come from IsDialogMessage in the message loop.
class Win32MainWindow final : public BaseWindow<Win32MainWindow>, public MainWindowPort {
public:
    static constexpr const wchar_t* kClassName = L"TallywickForm1";
    static constexpr DWORD kStyle =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

    Win32MainWindow();
    ~Win32MainWindow() override;

    // Creates the window hidden, sized and centred on the primary screen,
    // each control in its place with its font.
    [[nodiscard]] bool create();
    void attach(Form1& form) noexcept { form_ = &form; }
    void show(int showCommand);

    // The control's window; null before create().
    [[nodiscard]] HWND control(ControlId id) const { return controls_.window(id); }
    // The buttons' tooltip control, made on first use (show() makes it once
    // the window is on the screen).
    HWND toolTips();

    // Runs the message loop until WM_QUIT; returns its exit code.
    static int runMessageLoop(HWND dialogWindow);

    void fillList(ControlId list, ListEntries entries) override;
    [[nodiscard]] std::size_t listCount(ControlId list) const override;
    [[nodiscard]] int selectedIndex(ControlId list) const override;
    void setCaption(ControlId label, const std::string& text) override;
    void minimise() override;
    [[nodiscard]] WindowHandle mainWindow() const override;
    [[nodiscard]] WindowHandle activeWindow() const override;
    [[nodiscard]] WindowHandle desktopWindow() const override;

    static void describeClass(WNDCLASSEXW& windowClass);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // Lays the window out anew for a change of DPI.
    void applyDpi(UINT dpi, const RECT* suggested);
    void sizeWindow(const RECT* suggested);
    void command(WPARAM wParam, LPARAM lParam);
    void finish(HandlerOutcome outcome);
    [[nodiscard]] LRESULT listColours(HDC dc, HWND list) const;

    Form1* form_ = nullptr;
    FormControls controls_;
    ToolTips toolTips_;
    HMENU menu_ = nullptr;
    HWND focus_ = nullptr;
    bool failed_ = false;
};

} // namespace tallywick
