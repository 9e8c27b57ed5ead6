// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT
#pragma once

// What the window behaviour suite asks of a front-end: the real main window
// built on faked services, read as the user sees it and worked as the user
// works it. Each front-end's driver finds the controls by their names in the
// control table; the suite speaks only to this interface.

#include "FakePlatform.h"
#include "app/ControlTable.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick::testing {

// The program the About command opens the help text with.
inline constexpr std::string_view kTextViewer = "text-viewer";

// Client-area pixels at 96 dpi.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    bool operator==(const PixelRect&) const = default;
};

// A bar entry as the window shows it: its caption and, for a drop-down, the
// captions of its items from top to bottom.
struct ShownMenu {
    std::string caption;
    std::vector<std::string> items;
    bool operator==(const ShownMenu&) const = default;
};

// Return is the main keyboard's; Enter the numeric keypad's.
enum class Key { Tab, ShiftTab, Home, End, Up, Down, PageDown, Return, Escape, Enter };

// The fakes' records (shell.requests, boxes.shown) and the fake list files
// are the suite's to read and set.
class WindowDriver : public FakeServices {
public:
    virtual ~WindowDriver() = default;

    // Runs the start-up sequence on the fake list files and shows the window,
    // active; false when the window did not show.
    [[nodiscard]] virtual bool loadAndShow() = 0;

    // A caption, or a list's or picture's own text.
    [[nodiscard]] virtual std::string text(ControlId control) const = 0;
    [[nodiscard]] virtual std::vector<std::string> entries(ControlId list) const = 0;
    [[nodiscard]] virtual PixelRect rect(ControlId control) const = 0;
    [[nodiscard]] virtual Rgb textColour(ControlId list) const = 0;
    // The system's colour of text in a window, which a list without a colour
    // of its own uses.
    [[nodiscard]] virtual Rgb systemTextColour() const = 0;
    [[nodiscard]] virtual std::string toolTip(ControlId control) const = 0;
    // The name a screen reader speaks, for a control and for a list's entry.
    [[nodiscard]] virtual std::string accessibleName(ControlId control) const = 0;
    [[nodiscard]] virtual std::string entryAccessibleName(ControlId list, int index) const = 0;
    // The control that has the keyboard focus, if any.
    [[nodiscard]] virtual std::optional<ControlId> focus() const = 0;
    // -1 when nothing is selected.
    [[nodiscard]] virtual int selectedIndex(ControlId list) const = 0;
    [[nodiscard]] virtual std::vector<ShownMenu> menuBar() const = 0;
    [[nodiscard]] virtual std::string title() const = 0;
    [[nodiscard]] virtual PixelRect clientArea() const = 0;
    [[nodiscard]] virtual bool visible() const = 0;
    [[nodiscard]] virtual bool minimised() const = 0;
    [[nodiscard]] virtual WindowHandle handle() const = 0;
    // What launches use for the desktop as their parent window.
    [[nodiscard]] virtual WindowHandle desktopHandle() const = 0;
    // The exit code a handler ended the program with (an untrapped error),
    // if one did.
    [[nodiscard]] virtual std::optional<int> exitCode() const = 0;

    // Each returns once the window has handled what it was given.
    virtual void press(ControlId button) = 0;
    virtual void select(ControlId list, int index) = 0;
    // The menu item of that name in the menu tree, through the window's menu.
    virtual void choose(std::string_view menuItem) = 0;
    // To the control that has the focus, as the window receives keys.
    virtual void key(Key key) = 0;
    // Alt and a letter.
    virtual void accessKey(char letter) = 0;

    void deliverListFiles(const std::string& amex, const std::string& visa,
                          const std::string& retail) {
        listFiles.deliver(amex, visa, retail);
    }
};

// The driver of the front-end this suite is built with.
[[nodiscard]] std::unique_ptr<WindowDriver> makeWindowDriver();

} // namespace tallywick::testing
