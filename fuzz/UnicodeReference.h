// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// The fuzz targets' own reading of UTF-8 and writing of UTF-16, written apart
// from the program's decoder so that the two cannot share a fault.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tallywick::fuzzing {

// The code points of well-formed UTF-8, or none.
inline std::optional<std::u32string> codePoints(std::string_view s) {
    std::u32string points;
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const std::size_t length = c < 0x80         ? 1
                                   : (c >> 5) == 6  ? 2
                                   : (c >> 4) == 14 ? 3
                                   : (c >> 3) == 30 ? 4
                                                    : 0;
        if (length == 0 || i + length > s.size()) {
            return std::nullopt;
        }
        char32_t point = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) {
                return std::nullopt;
            }
            point = (point << 6) | (next & 0x3F);
        }
        constexpr std::array<char32_t, 5> kLeast = {0, 0, 0x80, 0x800, 0x10000};
        if (point < kLeast[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
            return std::nullopt;
        }
        points.push_back(point);
        i += length;
    }
    return points;
}

// The code points as UTF-16 units, each as two bytes in the order given.
inline std::string utf16Bytes(const std::u32string& points, bool bigEndian) {
    std::string bytes;
    const auto unit = [&](char32_t u) {
        const auto high = static_cast<char>(u >> 8);
        const auto low = static_cast<char>(u & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    for (const char32_t point : points) {
        if (point >= 0x10000) {
            unit(0xD800 + ((point - 0x10000) >> 10));
            unit(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            unit(point);
        }
    }
    return bytes;
}

} // namespace tallywick::fuzzing
