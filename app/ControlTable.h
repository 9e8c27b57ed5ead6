#pragma once

#include <array>
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

enum class ControlKind { Label, ListBox, CommandButton, PictureBox };
enum class TextAlignment { Left, Center };

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    bool operator==(const Rgb&) const = default;
};

struct ControlSpec {
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
    {"Label1", ControlKind::Label, "", 120, 360, 1335, 735, 7, TextAlignment::Center},
    {"List1", ControlKind::ListBox, "", 1440, 240, 4695, 780, 0},
    {"Command2",
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
    {"Label5", ControlKind::Label, "", 120, 1440, 1335, 735, 8, TextAlignment::Center},
    {"List2", ControlKind::ListBox, "", 1440, 1320, 4695, 780, 2, TextAlignment::Left,
     Rgb{0, 128, 0}},
    {"Command4",
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
    {"Label6", ControlKind::Label, "", 120, 2520, 1335, 735, 9, TextAlignment::Center},
    {"List3", ControlKind::ListBox, "", 1440, 2400, 4695, 780, 4, TextAlignment::Left,
     Rgb{255, 0, 0}},
    {"Command5",
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
    {"Label7", ControlKind::Label, "Your Total Memory:", 720, 3480, 855, 615, 10},
    {"Label8", ControlKind::Label, "Label8", 1920, 3480, 1095, 495, 11, TextAlignment::Center},
    {"Label9", ControlKind::Label, "Your Available Memory:", 3360, 3480, 1095, 615, 12},
    {"Label10", ControlKind::Label, "Label10", 4680, 3480, 1095, 375, 13, TextAlignment::Center},
    {"Command1",
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
    {"Picture1",
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
    {"Picture2",
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
    {"Picture3",
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
    {"Picture4",
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

[[nodiscard]] const ControlSpec* findControl(std::string_view name) noexcept;

// Every control, ordered by tab index (labels included: they take no focus).
[[nodiscard]] std::vector<const ControlSpec*> controlsInTabOrder();

// "TALLYWICK -  LIMITED VERSION 1.0  brought to you by tallywick.example"
[[nodiscard]] std::string_view mainWindowTitle() noexcept;

} // namespace tallywick
