// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/DigitGrouping.h"

namespace tallywick {

// The user's regional way of writing whole numbers: its digits and its
// thousands separator, as the platform's number formatting has them. How
// the digits are grouped is the program's own rule, not the region's.
class NumberFormatPort {
public:
    virtual ~NumberFormatPort() = default;
    [[nodiscard]] virtual NumberSymbols symbols() const = 0;
};

} // namespace tallywick
