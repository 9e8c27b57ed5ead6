// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/NumberFormat.h"

#include <string_view>

namespace tallywick {

// Whole numbers grouped by GetNumberFormatEx with the user's thousands
// separator and digit grouping, and no decimals.
class Win32NumberFormat final : public NumberFormat {
public:
    [[nodiscard]] std::string grouped(std::uint64_t value) const override;

    // The locale's grouping text ("3;0", "3;2;0", "3") as the number that
    // NUMBERFMTW::Grouping takes (3, 32, 30).
    [[nodiscard]] static unsigned groupingNumber(std::wstring_view grouping);
};

} // namespace tallywick
