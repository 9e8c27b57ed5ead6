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

// Texts kept back to back in one buffer, with where each of them ends: the
// entries of one list in file order, as UTF-8, and the reader's raw fields
// before that. A full list of 32,767 entries costs a few allocations rather
// than one per entry, and about its text's size in memory.
class ListEntries {
public:
    // Some of the texts of a ListEntries, without a copy: valid until it
    // changes.
    class View {
    public:
        using Iterator = TextRunIterator<View>;

        View(std::string_view buffer, std::span<const std::size_t> ends, std::size_t origin)
            : buffer_(buffer), ends_(ends), origin_(origin) {}

        [[nodiscard]] std::size_t size() const noexcept { return ends_.size(); }
        [[nodiscard]] bool empty() const noexcept { return ends_.empty(); }
        [[nodiscard]] std::string_view operator[](std::size_t i) const {
            return buffer_.substr(startOf(i), ends_[i] - startOf(i));
        }
        [[nodiscard]] Iterator begin() const { return {this, 0}; }
        [[nodiscard]] Iterator end() const { return {this, size()}; }

        // Texts [first, last) of this view.
        [[nodiscard]] View slice(std::size_t first, std::size_t last) const {
            return {buffer_, ends_.subspan(first, last - first), startOf(first)};
        }
        // All of them back to back.
        [[nodiscard]] std::string_view joined() const {
            return empty() ? std::string_view() : buffer_.substr(origin_, ends_.back() - origin_);
        }
        // Where text i starts and ends in joined().
        [[nodiscard]] std::size_t startOf(std::size_t i) const {
            return i == 0 ? origin_ : ends_[i - 1];
        }
        [[nodiscard]] std::size_t endOf(std::size_t i) const { return ends_[i]; }
        // Offsets of startOf() and endOf() count from here.
        [[nodiscard]] std::size_t origin() const noexcept { return origin_; }
        [[nodiscard]] std::span<const std::size_t> ends() const noexcept { return ends_; }
        [[nodiscard]] std::string_view buffer() const noexcept { return buffer_; }

    private:
        std::string_view buffer_;
        std::span<const std::size_t> ends_;
        std::size_t origin_;
    };
    using Iterator = TextRunIterator<ListEntries>;

    ListEntries() = default;
    explicit ListEntries(const std::vector<std::string>& entries) {
        for (const std::string& entry : entries) {
            push_back(entry);
        }
    }

    [[nodiscard]] std::size_t size() const noexcept { return ends_.size(); }
    [[nodiscard]] bool empty() const noexcept { return ends_.empty(); }
    [[nodiscard]] std::string_view operator[](std::size_t i) const { return view()[i]; }
    [[nodiscard]] Iterator begin() const { return {this, 0}; }
    [[nodiscard]] Iterator end() const { return {this, size()}; }
    [[nodiscard]] View view() const {
        return {{text_.data(), text_.size()}, {ends_.data(), ends_.size()}, 0};
    }

    void push_back(std::string_view entry) {
        text_.append(entry.data(), entry.size());
        ends_.push_back(text_.size());
    }
    // Appends the texts of a view (of another ListEntries) at once.
    void append(const View& texts) {
        if (texts.empty()) {
            return;
        }
        const std::size_t base = text_.size();
        const std::string_view joined = texts.joined();
        text_.append(joined.data(), joined.size());
        ends_.reserveMore(texts.size());
        for (const std::size_t end : texts.ends()) {
            ends_.push_back(base + (end - texts.origin()));
        }
    }

    // A text can be built at the end, after the last complete one, before it
    // is closed: the reader builds each field there as its bytes come in.
    [[nodiscard]] std::string_view open() const {
        return {text_.data() + closedSize(), text_.size() - closedSize()};
    }
    void appendToOpen(const char* begin, const char* end) {
        text_.append(begin, static_cast<std::size_t>(end - begin));
    }
    // Keeps the first length bytes of the open text.
    void truncateOpen(std::size_t length) { text_.resize(closedSize() + length); }
    // Closes the open text: it becomes the last one.
    void closeOpen() { ends_.push_back(text_.size()); }
    // Forgets every complete text; the open one stays.
    void clearClosed() {
        text_.eraseFront(closedSize());
        ends_.clear();
    }
    // Room for textBytes more bytes of text in at least texts more texts.
    void reserve(std::size_t textBytes, std::size_t texts) {
        text_.reserveMore(textBytes);
        ends_.reserveMore(texts);
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
    [[nodiscard]] std::size_t closedSize() const noexcept {
        return ends_.empty() ? 0 : ends_[ends_.size() - 1];
    }

    detail::GrowingArray<char> text_;
    // Where each text ends in text_; the next one starts there.
    detail::GrowingArray<std::size_t> ends_;
};

} // namespace tallywick
