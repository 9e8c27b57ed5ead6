#pragma once

#include "catalogue/TextRunIterator.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace tallywick {

namespace detail {

// An array of plain values that grows with realloc: a large one grows in
// place (the C library remaps its pages) instead of being copied into fresh
// memory at every doubling, which for a list of 32,767 entries is most of
// the cost of reading it.
template <typename T> class GrowingArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    GrowingArray() = default;
    GrowingArray(const GrowingArray& other) { append(other.data(), other.size()); }
    GrowingArray& operator=(const GrowingArray& other) {
        if (this != &other) {
            size_ = 0;
            append(other.data(), other.size());
        }
        return *this;
    }
    GrowingArray(GrowingArray&& other) noexcept
        : data_(std::move(other.data_)), size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0)) {}
    GrowingArray& operator=(GrowingArray&& other) noexcept {
        data_ = std::move(other.data_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        return *this;
    }
    ~GrowingArray() = default;

    [[nodiscard]] const T* data() const noexcept { return data_.get(); }
    [[nodiscard]] std::size_t size() const noexcept { return size_; }
    [[nodiscard]] bool empty() const noexcept { return size_ == 0; }
    [[nodiscard]] const T& operator[](std::size_t i) const noexcept { return data_.get()[i]; }

    // Room for count more values, grown as push_back would grow it.
    void reserveMore(std::size_t count) {
        if (capacity_ - size_ < count) {
            grow(size_ + count);
        }
    }
    void push_back(T value) {
        if (size_ == capacity_) {
            grow(size_ + 1);
        }
        data_.get()[size_++] = value;
    }
    void append(const T* values, std::size_t count) {
        if (count == 0) {
            return;
        }
        if (capacity_ - size_ < count) {
            grow(size_ + count);
        }
        std::memcpy(data_.get() + size_, values, count * sizeof(T));
        size_ += count;
    }

    friend bool operator==(const GrowingArray& a, const GrowingArray& b) {
        return a.size_ == b.size_ &&
               (a.size_ == 0 || std::memcmp(a.data(), b.data(), a.size_ * sizeof(T)) == 0);
    }

private:
    struct Free {
        void operator()(T* p) const noexcept { std::free(p); }
    };

    void grow(std::size_t needed) {
        const std::size_t capacity = std::max({needed, 2 * capacity_, 64 / sizeof(T)});
        void* grown = std::realloc(data_.get(), capacity * sizeof(T));
        if (grown == nullptr) {
            throw std::bad_alloc();
        }
        static_cast<void>(data_.release());
        data_.reset(static_cast<T*>(grown));
        capacity_ = capacity;
    }

    std::unique_ptr<T, Free> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace detail

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
