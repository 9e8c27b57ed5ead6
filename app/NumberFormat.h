// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string>

namespace tallywick {

// The user's regional way of writing whole numbers (thousands separator and
// grouping), as the platform's number formatting provides it.
class NumberFormat {
public:
    virtual ~NumberFormat() = default;
    [[nodiscard]] virtual std::string grouped(std::uint64_t value) const = 0;
};

} // namespace tallywick
