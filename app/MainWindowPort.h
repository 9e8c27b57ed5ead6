// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "catalogue/ListEntries.h"
#include "ports/LaunchRequest.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tallywick {

// What the program's handlers need of the window system and the main window.
class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;

    // Replaces a list box's entries, in order.
    virtual void fillList(ControlId list, ListEntries entries) = 0;
    [[nodiscard]] virtual std::size_t listCount(ControlId list) const = 0;
    // A list box's selected entry's index, or -1 when nothing is selected.
    [[nodiscard]] virtual int selectedIndex(ControlId list) const = 0;
    virtual void setCaption(ControlId label, const std::string& text) = 0;
    virtual void minimise() = 0;

    [[nodiscard]] virtual WindowHandle mainWindow() const = 0;
    // The calling thread's active window, or 0 when it has none.
    [[nodiscard]] virtual WindowHandle activeWindow() const = 0;
    [[nodiscard]] virtual WindowHandle desktopWindow() const = 0;
};

} // namespace tallywick
