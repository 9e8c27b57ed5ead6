// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace tallywick::detail {

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

    // Keeps the first size values (size is at most size()).
    void resize(std::size_t size) noexcept { size_ = std::min(size, size_); }
    void clear() noexcept { size_ = 0; }
    // Drops the first count values; the rest move to the front.
    void eraseFront(std::size_t count) noexcept {
        count = std::min(count, size_);
        if (count > 0 && count < size_) {
            std::memmove(data_.get(), data_.get() + count, (size_ - count) * sizeof(T));
        }
        size_ -= count;
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

} // namespace tallywick::detail
