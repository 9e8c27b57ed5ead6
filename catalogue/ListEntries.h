// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "catalogue/GrowingArray.h"
#include "catalogue/TextRunIterator.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// The entries of one list in file order, as UTF-8, kept back to back in one
// buffer: a full list of 32,767 entries costs a few allocations rather than
// one per entry, and about its text's size in memory.
class ListEntries {
public:
    using Iterator = TextRunIterator<ListEntries>;

    ListEntries() = default;
    explicit ListEntries(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) {
            push_back(entry);
        }
    }

    [[nodiscard]] std::size_t size() const noexcept { return ends_.size(); }
    [[nodiscard]] bool empty() const noexcept { return ends_.empty(); }
    [[nodiscard]] std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return {text_.data() + begin, ends_[i] - begin};
    }
    [[nodiscard]] Iterator begin() const { return {this, 0}; }
    [[nodiscard]] Iterator end() const { return {this, ends_.size()}; }

    void push_back(std::string_view entry) {
        text_.append(entry.data(), entry.size());
        ends_.push_back(text_.size());
    }
    // Appends many entries at once: their text back to back, and where each
    // of them ends, counted from origin (where text begins).
    void append(std::string_view text, std::span<const std::size_t> ends, std::size_t origin) {
        const std::size_t base = text_.size();
        text_.append(text.data(), text.size());
        ends_.reserveMore(ends.size());
        for (const std::size_t end : ends) {
            ends_.push_back(base + (end - origin));
        }
    }

    [[nodiscard]] std::vector<std::string> toStrings() const {
        std::vector<std::string> strings;
        strings.reserve(size());
        for (const std::string_view entry : *this) {
            strings.emplace_back(entry);
        }
        return strings;
    }

    friend bool operator==(const ListEntries&, const ListEntries&) = default;

private:
    detail::GrowingArray<char> text_;
    // Where each entry ends in text_; the next one starts there.
    detail::GrowingArray<std::size_t> ends_;
};

} // namespace tallywick
