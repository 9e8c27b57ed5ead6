// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/ProductFacts.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// The main window's layout as plain data, so that every front-end draws the
// same window. Positions and sizes are in twips (1/1440 inch) from the
// top-left corner of the client area below the menu bar.

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidthTwips = 9060;
inline constexpr int kClientHeightTwips = 5175;

[[nodiscard]] constexpr int twipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}

// Every control of the main window by its name, in creation order. The one
// list gives both the ids and the names, so that the two cannot disagree.
// clang-format off
#define TALLYWICK_FORM1_CONTROLS(X) \
    X(Label1) X(List1) X(Command2) \
    X(Label5) X(List2) X(Command4) \
    X(Label6) X(List3) X(Command5) \
    X(Label7) X(Label8) X(Label9) X(Label10) X(Command1) \
    X(Picture1) X(Picture2) X(Picture3) X(Picture4)
// clang-format on

// Each control's id is the index of its row in kControlTable, where everything
// about it lives.
enum class ControlId : std::size_t {
#define TALLYWICK_CONTROL_ID(name) name,
    TALLYWICK_FORM1_CONTROLS(TALLYWICK_CONTROL_ID)
#undef TALLYWICK_CONTROL_ID
};

inline constexpr std::array kControlNames = {
#define TALLYWICK_CONTROL_NAME(name) std::string_view(#name),
    TALLYWICK_FORM1_CONTROLS(TALLYWICK_CONTROL_NAME)
#undef TALLYWICK_CONTROL_NAME
};

// "List1", "Command2": the control's name on the form, which the front-ends
// give their widgets too.
[[nodiscard]] constexpr std::string_view controlName(ControlId id) noexcept {
    return kControlNames[static_cast<std::size_t>(id)];
}

enum class ControlKind { Label, ListBox, CommandButton, PictureBox };
enum class TextAlignment { Left, Center };

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb&) const = default;
};

struct ControlSpec {
    ControlId id;
    ControlKind kind;
    std::string_view text{}; // caption with its '&' access key, or design-time text
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    TextAlignment alignment = TextAlignment::Left;
    std::optional<Rgb> foreground{}; // none: the system's window-text colour
    std::string_view toolTip{};
    std::string_view image{}; // picture boxes: the picture's name in the resources
    // What a screen reader calls the control when it has no text of its own.
    std::string_view accessibleName{};
    // The label that names the control for a screen reader.
    std::optional<ControlId> labelledBy{};

    [[nodiscard]] constexpr std::string_view name() const noexcept { return controlName(id); }
};

inline constexpr std::string_view kApplicationToolTip =
    "Pressing this button opens the above selected online credit card application in your "
    "default browser";

// In creation order; tab order is by tabIndex. One row a control, laid out
// by hand.
// clang-format off
inline constexpr std::array<ControlSpec, kControlNames.size()> kControlTable = {{
    {.id = ControlId::Label1, .kind = ControlKind::Label,
     .left = 120, .top = 360, .width = 1335, .height = 735, .tabIndex = 7,
     .alignment = TextAlignment::Center},
    {.id = ControlId::List1, .kind = ControlKind::ListBox,
     .left = 1440, .top = 240, .width = 4695, .height = 780, .tabIndex = 0,
     .labelledBy = ControlId::Label1},
    {.id = ControlId::Command2, .kind = ControlKind::CommandButton,
     .text = "Open &American Express Application",
     .left = 6480, .top = 240, .width = 2295, .height = 735, .tabIndex = 1,
     .alignment = TextAlignment::Center, .toolTip = kApplicationToolTip},
    {.id = ControlId::Label5, .kind = ControlKind::Label,
     .left = 120, .top = 1440, .width = 1335, .height = 735, .tabIndex = 8,
     .alignment = TextAlignment::Center},
    {.id = ControlId::List2, .kind = ControlKind::ListBox,
     .left = 1440, .top = 1320, .width = 4695, .height = 780, .tabIndex = 2,
     .foreground = Rgb{0, 128, 0}, .labelledBy = ControlId::Label5},
    {.id = ControlId::Command4, .kind = ControlKind::CommandButton,
     .text = "Open &Visa  Mastercard Application",
     .left = 6480, .top = 1320, .width = 2295, .height = 735, .tabIndex = 3,
     .alignment = TextAlignment::Center, .toolTip = kApplicationToolTip},
    {.id = ControlId::Label6, .kind = ControlKind::Label,
     .left = 120, .top = 2520, .width = 1335, .height = 735, .tabIndex = 9,
     .alignment = TextAlignment::Center},
    {.id = ControlId::List3, .kind = ControlKind::ListBox,
     .left = 1440, .top = 2400, .width = 4695, .height = 780, .tabIndex = 4,
     .foreground = Rgb{255, 0, 0}, .labelledBy = ControlId::Label6},
    {.id = ControlId::Command5, .kind = ControlKind::CommandButton,
     .text = "Open &Retail Business Application",
     .left = 6480, .top = 2400, .width = 2295, .height = 735, .tabIndex = 5,
     .alignment = TextAlignment::Center, .toolTip = kApplicationToolTip},
    {.id = ControlId::Label7, .kind = ControlKind::Label,
     .text = "Your Total Memory:",
     .left = 720, .top = 3480, .width = 855, .height = 615, .tabIndex = 10},
    {.id = ControlId::Label8, .kind = ControlKind::Label,
     .text = "Label8",
     .left = 1920, .top = 3480, .width = 1095, .height = 495, .tabIndex = 11,
     .alignment = TextAlignment::Center, .labelledBy = ControlId::Label7},
    {.id = ControlId::Label9, .kind = ControlKind::Label,
     .text = "Your Available Memory:",
     .left = 3360, .top = 3480, .width = 1095, .height = 615, .tabIndex = 12},
    {.id = ControlId::Label10, .kind = ControlKind::Label,
     .text = "Label10",
     .left = 4680, .top = 3480, .width = 1095, .height = 375, .tabIndex = 13,
     .alignment = TextAlignment::Center, .labelledBy = ControlId::Label9},
    {.id = ControlId::Command1, .kind = ControlKind::CommandButton,
     .text = "E&xit",
     .left = 7080, .top = 3480, .width = 1215, .height = 495, .tabIndex = 6,
     .alignment = TextAlignment::Center, .toolTip = "Pressing this button exits the program"},
    {.id = ControlId::Picture1, .kind = ControlKind::PictureBox,
     .left = 600, .top = 4200, .width = 870, .height = 555, .tabIndex = 14,
     .image = kCardPictureNames[0], .accessibleName = "American Express"},
    {.id = ControlId::Picture2, .kind = ControlKind::PictureBox,
     .left = 3000, .top = 4200, .width = 885, .height = 555, .tabIndex = 15,
     .image = kCardPictureNames[1], .accessibleName = "MasterCard"},
    {.id = ControlId::Picture3, .kind = ControlKind::PictureBox,
     .left = 5280, .top = 4200, .width = 870, .height = 555, .tabIndex = 16,
     .image = kCardPictureNames[2], .accessibleName = "Visa"},
    {.id = ControlId::Picture4, .kind = ControlKind::PictureBox,
     .left = 7560, .top = 4200, .width = 855, .height = 555, .tabIndex = 17,
     .image = kCardPictureNames[3], .accessibleName = "Discover"},
}};
// clang-format on

[[nodiscard]] constexpr const ControlSpec& design(ControlId id) noexcept {
    return kControlTable[static_cast<std::size_t>(id)];
}

// The control of that name, or null.
[[nodiscard]] const ControlSpec* findControl(std::string_view name) noexcept;

// Every control, ordered by tab index (labels included: they take no focus).
[[nodiscard]] std::vector<const ControlSpec*> controlsInTabOrder();

// "TALLYWICK -  LIMITED VERSION 1.0  brought to you by tallywick.example"
[[nodiscard]] const std::string& mainWindowTitle();

} // namespace tallywick
