// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/DeliveredHelp.h"

#include <algorithm>
#include <array>

namespace tallywick::DeliveredHelp {

namespace {

struct DeliveredText {
    std::string_view version;
    std::size_t size;
    std::uint64_t digest;
};

// Every help text a version of TALLYWICK with the launcher delivered, oldest
// first, the version being made last. A released version's row stays for
// good: users may still have that text. The last row follows the help text
// until its version is released (the tests say when it no longer matches).
constexpr std::array kDelivered{
    DeliveredText{"1.0.0.0", 9068, 0xaffcf6c14cc83a00ULL},
};

} // namespace

std::uint64_t digest(std::string_view bytes) noexcept {
    constexpr std::uint64_t kOffsetBasis = 14695981039346656037ULL;
    constexpr std::uint64_t kPrime = 1099511628211ULL;
    std::uint64_t hash = kOffsetBasis;
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= kPrime;
    }
    return hash;
}

bool isDelivered(std::string_view bytes) noexcept {
    const std::uint64_t hash = digest(bytes);
    return std::any_of(kDelivered.begin(), kDelivered.end(), [&](const DeliveredText& text) {
        return text.size == bytes.size() && text.digest == hash;
    });
}

std::size_t largestSize() noexcept {
    return std::max_element(
               kDelivered.begin(), kDelivered.end(),
               [](const DeliveredText& a, const DeliveredText& b) { return a.size < b.size; })
        ->size;
}

} // namespace tallywick::DeliveredHelp
