// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// Splits a parameter text into arguments the way a Windows command line is
// read: blanks separate arguments, double quotes group words (and are
// dropped), and "" inside quotes stands for one quote.
[[nodiscard]] std::vector<std::string> splitCommandLine(std::string_view text);

} // namespace tallywick
