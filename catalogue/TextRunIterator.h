// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string_view>

namespace tallywick {

// Walks the texts of a container that keeps them back to back and hands out
// text i as container[i] (the reader's fields, a list's entries).
template <typename Container> class TextRunIterator {
public:
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;

    TextRunIterator() = default;
    TextRunIterator(const Container* container, std::size_t index)
        : container_(container), index_(index) {}

    std::string_view operator*() const { return (*container_)[index_]; }
    TextRunIterator& operator++() {
        ++index_;
        return *this;
    }
    TextRunIterator operator++(int) {
        TextRunIterator before = *this;
        ++index_;
        return before;
    }
    bool operator==(const TextRunIterator& other) const { return index_ == other.index_; }

private:
    const Container* container_ = nullptr;
    std::size_t index_ = 0;
};

} // namespace tallywick
