// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/GrowingArray.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tallywick {

// The entries of one list in file order, as UTF-8, kept back to back in one
// buffer with where each of them ends: a full list of 32,767 entries costs
// two allocations rather than one per entry, and its text's size in memory.
class ListEntries {
public:
    ListEntries() = default;
    explicit ListEntries(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) {
            push_back(entry);
        }
    }
    // Takes over texts already back to back: ends[i] is where text i ends in
    // text, and text i + 1 starts there.
    ListEntries(GrowingArray<char> text, GrowingArray<std::size_t> ends)
        : text_(std::move(text)), ends_(std::move(ends)) {}

    [[nodiscard]] std::size_t size() const noexcept { return ends_.size(); }
    [[nodiscard]] bool empty() const noexcept { return ends_.empty(); }
    [[nodiscard]] std::string_view operator[](std::size_t i) const {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return {text_.data() + start, ends_[i] - start};
    }

    void push_back(std::string_view entry) {
        text_.append(entry.data(), entry.size());
        ends_.push_back(text_.size());
    }

    friend bool operator==(const ListEntries&, const ListEntries&) = default;

private:
    GrowingArray<char> text_;
    GrowingArray<std::size_t> ends_;
};

} // namespace tallywick
