#include "app/Controls.h"

namespace tallywick {

std::string_view controlName(ListBox list) noexcept {
    switch (list) {
    case ListBox::List1:
        return "List1";
    case ListBox::List2:
        return "List2";
    case ListBox::List3:
        return "List3";
    }
    return {};
}

std::string_view controlName(Label label) noexcept {
    switch (label) {
    case Label::Label1:
        return "Label1";
    case Label::Label5:
        return "Label5";
    case Label::Label6:
        return "Label6";
    case Label::Label8:
        return "Label8";
    case Label::Label10:
        return "Label10";
    }
    return {};
}

std::string_view controlName(Button button) noexcept {
    switch (button) {
    case Button::Command1:
        return "Command1";
    case Button::Command2:
        return "Command2";
    case Button::Command4:
        return "Command4";
    case Button::Command5:
        return "Command5";
    }
    return {};
}

} // namespace tallywick
