// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "launch/ShellArgument.h"

namespace tallywick {

std::string shellArgumentText(const ShellArgument& argument) {
    struct ToText {
        std::string operator()(const std::string& text) const { return text; }
        std::string operator()(std::int64_t number) const { return std::to_string(number); }
        std::string operator()(std::reference_wrapper<const std::string> text) const {
            return text.get();
        }
    };
    return std::visit(ToText{}, argument);
}

} // namespace tallywick
