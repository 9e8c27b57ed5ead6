#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace tallywick {

// The main window's controls that the program reads or writes, by their names.
enum class ListBox { List1, List2, List3 };
enum class Label { Label1, Label5, Label6, Label8, Label10 };
enum class Button { Command1, Command2, Command4, Command5 };

[[nodiscard]] std::string_view controlName(ListBox list) noexcept;
[[nodiscard]] std::string_view controlName(Label label) noexcept;
[[nodiscard]] std::string_view controlName(Button button) noexcept;

inline constexpr std::array kAllListBoxes = {ListBox::List1, ListBox::List2, ListBox::List3};
inline constexpr std::array kAllLabels = {Label::Label1, Label::Label5, Label::Label6,
                                          Label::Label8, Label::Label10};
inline constexpr std::array kAllButtons = {Button::Command1, Button::Command2, Button::Command4,
                                           Button::Command5};

// The control of that kind with that name, if there is one.
template <typename Control, std::size_t N>
[[nodiscard]] std::optional<Control> controlNamed(const std::array<Control, N>& all,
                                                  std::string_view name) noexcept {
    for (Control control : all) {
        if (controlName(control) == name) {
            return control;
        }
    }
    return std::nullopt;
}

} // namespace tallywick
