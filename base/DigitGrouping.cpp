// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "base/DigitGrouping.h"

namespace tallywick {

std::string groupedInThrees(std::uint64_t value, const NumberSymbols& symbols) {
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += symbols.groupSeparator;
        }
        text += symbols.digits[static_cast<std::size_t>(digits[i] - '0')];
    }
    return text;
}

} // namespace tallywick
