// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <variant>

namespace tallywick {

// A loosely typed launch argument: a text, a number, or a reference to a text
// held elsewhere. Each reaches the shell as text.
using ShellArgument =
    std::variant<std::string, std::int64_t, std::reference_wrapper<const std::string>>;

// A text as it is, a referenced text followed, a number in decimal: the
// number 0 becomes "0", never a null pointer.
[[nodiscard]] std::string shellArgumentText(const ShellArgument& argument);

} // namespace tallywick
