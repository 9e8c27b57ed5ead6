#pragma once

#include "app/Controls.h"
#include "launch/WebTargets.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace tallywick {

// The limited edition opens each list's own application page for its first
// source only; the next sources (up to lastEmptyIndex) get no page of their
// own, and any further one the publisher's home page again.
struct CardApplication {
    Button button;
    ListBox list;
    WebTarget issuerPage;
    int lastEmptyIndex;
};

inline constexpr std::array<CardApplication, 3> kCardApplications = {{
    {Button::Command2, ListBox::List1, WebTarget::AmexApplication, 40},
    {Button::Command4, ListBox::List2, WebTarget::VisaMastercardApplication, 40},
    {Button::Command5, ListBox::List3, WebTarget::RetailApplication, 60},
}};

// Both launches of an application button use this directory and show command.
inline constexpr std::string_view kApplicationDirectory =
    "c:\\program files\\Internet Explorer\\IEXPLORE.EXE";
inline constexpr std::int16_t kApplicationShowCommand = 1;

// The address of the second launch for the selected index (0 or more).
[[nodiscard]] std::string_view secondApplicationTarget(const CardApplication& application,
                                                       int selectedIndex) noexcept;

[[nodiscard]] const CardApplication* findCardApplication(Button button) noexcept;

} // namespace tallywick
