#pragma once

#include <string_view>

namespace tallywick {

// The main window's controls that the program reads or writes, by their names.
enum class ListBox { List1, List2, List3 };
enum class Label { Label1, Label5, Label6, Label8, Label10 };
enum class Button { Command1, Command2, Command4, Command5 };

[[nodiscard]] std::string_view controlName(ListBox list) noexcept;
[[nodiscard]] std::string_view controlName(Label label) noexcept;
[[nodiscard]] std::string_view controlName(Button button) noexcept;

} // namespace tallywick
