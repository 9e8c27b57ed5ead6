#pragma once

#include <iterator>
#include <string_view>

namespace tallywick {

// Looks a row up by its name field in one of the program's small tables.
template <typename Table>
[[nodiscard]] constexpr auto findByName(const Table& table, std::string_view name) noexcept
    -> decltype(&*std::begin(table)) {
    for (const auto& row : table) {
        if (row.name == name) {
            return &row;
        }
    }
    return nullptr;
}

} // namespace tallywick
