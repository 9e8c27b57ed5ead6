// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>

namespace tallywick {

// True when every row of a table stands at the index its id names, so that a
// row can be reached by its id without a search.
template <typename Table> constexpr bool rowsFollowTheirIds(const Table& table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (static_cast<std::size_t>(table[i].id) != i) {
            return false;
        }
    }
    return true;
}

} // namespace tallywick
