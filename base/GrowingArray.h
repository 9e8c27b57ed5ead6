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

namespace tallywick {

// An array of plain values that grows with realloc: a large one grows in
// place (the C library remaps its pages) instead of being copied into fresh
// memory at every doubling. A list file is read into one, decoded into
// another, and its fields are split in place, so that the text of a list is
// held once however large it is.
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

    [[nodiscard]] T* data() noexcept { return data_.get(); }
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
    // Room for capacity values in all, grown to exactly that.
    void reserve(std::size_t capacity) {
        if (capacity > capacity_) {
            setCapacity(capacity);
        }
    }
    // The room after the last value, at least count values of it, to be
    // written and then taken in with extend().
    [[nodiscard]] T* spare(std::size_t count) {
        reserveMore(count);
        return data_.get() + size_;
    }
    [[nodiscard]] std::size_t spareSize() const noexcept { return capacity_ - size_; }
    // Takes in count values written into the spare room.
    void extend(std::size_t count) noexcept { size_ += std::min(count, capacity_ - size_); }

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
        std::memcpy(spare(count), values, count * sizeof(T));
        size_ += count;
    }

    // Keeps the first size values (size is at most size()).
    void resize(std::size_t size) noexcept { size_ = std::min(size, size_); }
    // Gives back the room beyond the last value.
    void shrinkToFit() noexcept {
        if (size_ == capacity_) {
            return;
        }
        if (size_ == 0) {
            data_.reset();
            capacity_ = 0;
            return;
        }
        // Shrinking in place cannot fail on any C library we build for; if
        // it did, the larger block simply stays.
        if (void* shrunk = std::realloc(data_.get(), size_ * sizeof(T))) {
            static_cast<void>(data_.release());
            data_.reset(static_cast<T*>(shrunk));
            capacity_ = size_;
        }
    }

    friend bool operator==(const GrowingArray& a, const GrowingArray& b) {
        return a.size_ == b.size_ &&
               (a.size_ == 0 || std::memcmp(a.data(), b.data(), a.size_ * sizeof(T)) == 0);
    }

private:
    struct Free {
        void operator()(T* p) const noexcept { std::free(p); }
    };

    // Doubles, as a vector grows, or more when more is needed.
    void grow(std::size_t needed) {
        setCapacity(std::max({needed, 2 * capacity_, 64 / sizeof(T)}));
    }
    void setCapacity(std::size_t capacity) {
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

} // namespace tallywick
