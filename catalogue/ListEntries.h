#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// The entries of one list in file order, as UTF-8, kept back to back in one
// buffer: a full list of 32,767 entries costs two allocations rather than one
// per entry, and about its text's size in memory.
class ListEntries {
public:
    class Iterator {
    public:
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(const ListEntries* entries, std::size_t index)
            : entries_(entries), index_(index) {}
        std::string_view operator*() const { return (*entries_)[index_]; }
        Iterator& operator++() {
            ++index_;
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++index_;
            return before;
        }
        bool operator==(const Iterator& other) const { return index_ == other.index_; }

    private:
        const ListEntries* entries_ = nullptr;
        std::size_t index_ = 0;
    };

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
        return std::string_view(text_).substr(begin, ends_[i] - begin);
    }
    [[nodiscard]] Iterator begin() const { return {this, 0}; }
    [[nodiscard]] Iterator end() const { return {this, ends_.size()}; }

    void push_back(std::string_view entry) {
        text_.append(entry);
        ends_.push_back(text_.size());
    }
    // Appends many entries at once: their text back to back, and where each
    // of them ends, counted from origin (where text begins).
    void append(std::string_view text, std::span<const std::size_t> ends, std::size_t origin) {
        const std::size_t base = text_.size();
        text_.append(text);
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
    std::string text_;
    // Where each entry ends in text_; the next one starts there.
    std::vector<std::size_t> ends_;
};

} // namespace tallywick
