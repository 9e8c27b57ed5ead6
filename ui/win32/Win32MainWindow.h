// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "app/Form1.h"
#include "app/MainWindowPort.h"
#include "ui/win32/BaseWindow.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/PictureBox.h"

#include <memory>
#include <string_view>
#include <vector>

namespace tallywick {

// Form1's window in plain Win32: the controls built from the control table,
// the menu from the menu tree, every click forwarded to Form1. It holds no
// behaviour of its own. Positions follow the window's DPI (twips * dpi /
// 1440); keyboard navigation and access keys come from IsDialogMessage in
// the message loop.
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

    // The control of that name from the control table, or null.
    [[nodiscard]] HWND control(std::string_view name) const;
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
    struct Control {
        const ControlSpec* design;
        std::unique_ptr<ChildControl> child; // system classes
        std::unique_ptr<PictureBox> picture; // picture boxes
        [[nodiscard]] HWND hwnd() const;
    };

    void createMenu();
    void createControls();
    void nameForScreenReaders() const;
    void createToolTips();
    void setToolTipWidth() const;
    // Lays the window out anew for a change of DPI.
    void applyDpi(UINT dpi, const RECT* suggested);
    void sizeWindow(const RECT* suggested);
    void command(WPARAM wParam, LPARAM lParam);
    void finish(HandlerOutcome outcome);
    [[nodiscard]] const Control* find(std::string_view name) const;
    [[nodiscard]] HWND listWindow(ControlId list) const;
    [[nodiscard]] LRESULT listColours(HDC dc, HWND list) const;

    Form1* form_ = nullptr;
    std::vector<Control> controls_; // in tab order
    HMENU menu_ = nullptr;
    HFONT font_ = nullptr;
    HWND toolTips_ = nullptr;
    HWND focus_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    bool failed_ = false;
};

} // namespace tallywick
