// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/PictureBox.h"

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <windows.h>

namespace tallywick {

// Form1's controls, made from the control table: each at its place for the
// window's DPI (twips * dpi / 1440), with the dialog font of that DPI. Each is
// kept at the index of its table row, so a ControlId reaches its window
// without a search; the tab order is only the order they are made in.
class FormControls {
public:
    FormControls() = default;
    FormControls(const FormControls&) = delete;
    FormControls& operator=(const FormControls&) = delete;
    ~FormControls();

    // Makes every control in PARENT, laid out for DPI; a button's click goes
    // to ONCLICK with the button's id.
    void create(HWND parent, UINT dpi, const std::function<void(ControlId)>& onClick);
    // Places every control anew for DPI and gives it a font of that size.
    void applyDpi(UINT dpi);

    // The DPI the controls are laid out for.
    [[nodiscard]] UINT dpi() const noexcept { return dpi_; }
    // The control's window; null before create().
    [[nodiscard]] HWND window(ControlId id) const;
    // Which control WINDOW is; none for any other window.
    [[nodiscard]] std::optional<ControlId> find(HWND window) const;
    // Runs the click handler of the button WINDOW is, if it is one.
    void click(HWND window) const;
    // Sets the text of a control of a system class (a label, a button).
    void setText(ControlId id, std::string_view utf8) const;

private:
    struct Control {
        std::unique_ptr<ChildControl> child; // system classes
        std::unique_ptr<PictureBox> picture; // picture boxes
        [[nodiscard]] HWND window() const;
    };

    [[nodiscard]] const Control& at(ControlId id) const {
        return controls_[static_cast<std::size_t>(id)];
    }

    std::array<Control, kControlTable.size()> controls_{};
    HFONT font_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
};

} // namespace tallywick
