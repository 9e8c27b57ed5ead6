// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT
#pragma once

#include "WindowDriver.h"
#include "ui/win32/Win32MainWindow.h"

#include <functional>
#include <optional>

namespace tallywick::testing {

// The window suite's driver for the Win32 window: controls found by their
// names, keys posted to the focus window and handled by a message loop like
// the program's (the dialog manager first), the menu read from the HMENU.
class Win32WindowDriver final : public WindowDriver {
public:
    Win32WindowDriver();
    ~Win32WindowDriver() override;

    [[nodiscard]] bool loadAndShow() override;

    [[nodiscard]] std::string text(ControlId control) const override;
    [[nodiscard]] std::vector<std::string> entries(ControlId list) const override;
    [[nodiscard]] PixelRect rect(ControlId control) const override;
    [[nodiscard]] Rgb textColour(ControlId list) const override;
    [[nodiscard]] Rgb systemTextColour() const override;
    [[nodiscard]] std::string toolTip(ControlId control) const override;
    [[nodiscard]] std::string accessibleName(ControlId control) const override;
    [[nodiscard]] std::string entryAccessibleName(ControlId list, int index) const override;
    [[nodiscard]] std::optional<ControlId> focus() const override;
    [[nodiscard]] int selectedIndex(ControlId list) const override;
    [[nodiscard]] std::vector<ShownMenu> menuBar() const override;
    [[nodiscard]] std::string title() const override;
    [[nodiscard]] PixelRect clientArea() const override;
    [[nodiscard]] bool visible() const override;
    [[nodiscard]] bool minimised() const override;
    [[nodiscard]] WindowHandle handle() const override;
    [[nodiscard]] WindowHandle desktopHandle() const override;

    void press(ControlId button) override;
    void select(ControlId list, int index) override;
    void choose(std::string_view menuItem) override;
    void key(Key key) override;
    void accessKey(char letter) override;

    [[nodiscard]] Win32MainWindow& window() noexcept { return window_; }
    [[nodiscard]] HWND main() const noexcept { return main_; }
    [[nodiscard]] HWND control(ControlId control) const;
    // Keys typed in a quick run: every message is queued before any is
    // handled, so that the menu loop an F10 or an Alt starts finds the rest
    // waiting, as it finds a user's keys. A system key (F10, Alt) goes as
    // WM_SYSKEYDOWN and WM_SYSKEYUP.
    struct TypedKey {
        UINT vk;
        bool system = false;
    };
    void typeRun(const std::vector<TypedKey>& keys);
    // Pumps until the condition holds or a few seconds have passed.
    bool pumpUntil(const std::function<bool()>& condition);
    // The exit code the window ended the message loop with, once it has.
    [[nodiscard]] std::optional<int> exitCode() const override { return quitCode_; }

private:
    // COM for the picture decoder and the accessibility objects, before the
    // window and after it.
    struct Apartment {
        Apartment();
        ~Apartment();
    };

    // Handles every message waiting in this thread's queue as the program's
    // message loop does.
    void pump();
    void postKey(UINT vk, UINT modifier, bool extended = false);

    Apartment apartment_;
    // Mutable: the window makes its tool tips when they are first asked for.
    mutable Win32MainWindow window_;
    HWND main_ = nullptr;
    Form1 form_{services(std::string(kTextViewer)), window_};
    std::optional<int> quitCode_;
};

} // namespace tallywick::testing
