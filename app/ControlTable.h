// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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

// Every control of the main window, in creation order; each is the index of
// its row in kControlTable, where its name and everything else about it live.
enum class ControlId : std::size_t {
    Label1,
    List1,
    Command2,
    Label5,
    List2,
    Command4,
    Label6,
    List3,
    Command5,
    Label7,
    Label8,
    Label9,
    Label10,
    Command1,
    Picture1,
    Picture2,
    Picture3,
    Picture4,
};

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
    std::string_view name;
    ControlKind kind;
    std::string_view text; // caption with its '&' access key, or design-time text
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    TextAlignment alignment = TextAlignment::Left;
    std::optional<Rgb> foreground{}; // none: the system's window-text colour
    std::string_view toolTip{};
    std::string_view image{}; // picture boxes: the picture's file name
};

inline constexpr std::string_view kApplicationToolTip =
    "Pressing this button opens the above selected online credit card application in your "
    "default browser";

// In creation order; tab order is by tabIndex.
inline constexpr std::array<ControlSpec, 18> kControlTable = {{
    {ControlId::Label1, "Label1", ControlKind::Label, "", 120, 360, 1335, 735, 7,
     TextAlignment::Center},
    {ControlId::List1, "List1", ControlKind::ListBox, "", 1440, 240, 4695, 780, 0},
    {ControlId::Command2,
     "Command2",
     ControlKind::CommandButton,
     "Open &American Express Application",
     6480,
     240,
     2295,
     735,
     1,
     TextAlignment::Center,
     {},
     kApplicationToolTip},
    {ControlId::Label5, "Label5", ControlKind::Label, "", 120, 1440, 1335, 735, 8,
     TextAlignment::Center},
    {ControlId::List2, "List2", ControlKind::ListBox, "", 1440, 1320, 4695, 780, 2,
     TextAlignment::Left, Rgb{0, 128, 0}},
    {ControlId::Command4,
     "Command4",
     ControlKind::CommandButton,
     "Open &Visa  Mastercard Application",
     6480,
     1320,
     2295,
     735,
     3,
     TextAlignment::Center,
     {},
     kApplicationToolTip},
    {ControlId::Label6, "Label6", ControlKind::Label, "", 120, 2520, 1335, 735, 9,
     TextAlignment::Center},
    {ControlId::List3, "List3", ControlKind::ListBox, "", 1440, 2400, 4695, 780, 4,
     TextAlignment::Left, Rgb{255, 0, 0}},
    {ControlId::Command5,
     "Command5",
     ControlKind::CommandButton,
     "Open &Retail Business Application",
     6480,
     2400,
     2295,
     735,
     5,
     TextAlignment::Center,
     {},
     kApplicationToolTip},
    {ControlId::Label7, "Label7", ControlKind::Label, "Your Total Memory:", 720, 3480, 855, 615,
     10},
    {ControlId::Label8, "Label8", ControlKind::Label, "Label8", 1920, 3480, 1095, 495, 11,
     TextAlignment::Center},
    {ControlId::Label9, "Label9", ControlKind::Label, "Your Available Memory:", 3360, 3480, 1095,
     615, 12},
    {ControlId::Label10, "Label10", ControlKind::Label, "Label10", 4680, 3480, 1095, 375, 13,
     TextAlignment::Center},
    {ControlId::Command1,
     "Command1",
     ControlKind::CommandButton,
     "E&xit",
     7080,
     3480,
     1215,
     495,
     6,
     TextAlignment::Center,
     {},
     "Pressing this button exits the program"},
    {ControlId::Picture1,
     "Picture1",
     ControlKind::PictureBox,
     "",
     600,
     4200,
     870,
     555,
     14,
     TextAlignment::Left,
     {},
     {},
     "picture1.gif"},
    {ControlId::Picture2,
     "Picture2",
     ControlKind::PictureBox,
     "",
     3000,
     4200,
     885,
     555,
     15,
     TextAlignment::Left,
     {},
     {},
     "picture2.gif"},
    {ControlId::Picture3,
     "Picture3",
     ControlKind::PictureBox,
     "",
     5280,
     4200,
     870,
     555,
     16,
     TextAlignment::Left,
     {},
     {},
     "picture3.gif"},
    {ControlId::Picture4,
     "Picture4",
     ControlKind::PictureBox,
     "",
     7560,
     4200,
     855,
     555,
     17,
     TextAlignment::Left,
     {},
     {},
     "picture4.gif"},
}};

[[nodiscard]] constexpr const ControlSpec& design(ControlId id) noexcept {
    return kControlTable[static_cast<std::size_t>(id)];
}

[[nodiscard]] constexpr std::string_view controlName(ControlId id) noexcept {
    return design(id).name;
}

[[nodiscard]] const ControlSpec* findControl(std::string_view name) noexcept;

// Every control, ordered by tab index (labels included: they take no focus).
[[nodiscard]] std::vector<const ControlSpec*> controlsInTabOrder();

// "TALLYWICK -  LIMITED VERSION 1.0  brought to you by tallywick.example"
[[nodiscard]] std::string_view mainWindowTitle() noexcept;

} // namespace tallywick
