// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tallywick {

// How a region writes a whole number: its ten digits (some regions have their
// own) and the separator between groups of digits, each as UTF-8.
struct NumberSymbols {
    std::array<std::string, 10> digits{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    std::string groupSeparator = ",";
    bool operator==(const NumberSymbols&) const = default;
};

// The value's decimal digits in groups of three from the right, whatever
// grouping the region itself uses (India groups 2,46,83,748; the program
// always writes 24,683,748): 1024000 -> "1,024,000", 900 -> "900".
[[nodiscard]] std::string groupedInThrees(std::uint64_t value, const NumberSymbols& symbols = {});

} // namespace tallywick
