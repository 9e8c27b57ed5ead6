// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "base/TextDecoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tallywick {

namespace {

// Windows-1252 0x80..0x9F; the five undefined bytes map to the C1 controls
// of the same value, as Windows' own conversion does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// The length a lead byte announces (0 for a byte that starts no sequence)
// and the range its second byte must fall in.
struct SequenceShape {
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
};

SequenceShape shapeOf(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        // No overlong forms, no surrogates.
        return {3, std::uint8_t(lead == 0xE0 ? 0xA0 : 0x80),
                std::uint8_t(lead == 0xED ? 0x9F : 0xBF)};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        // Nothing above U+10FFFF.
        return {4, std::uint8_t(lead == 0xF0 ? 0x90 : 0x80),
                std::uint8_t(lead == 0xF4 ? 0x8F : 0xBF)};
    }
    return {};
}

// Whether the bytes after the lead, as many of the sequence's as s holds,
// are the ones the lead allows.
bool tailFits(std::string_view s, const SequenceShape& shape) {
    const std::size_t count = std::min(s.size(), shape.length);
    for (std::size_t i = 1; i < count; ++i) {
        const auto byte = static_cast<std::uint8_t>(s[i]);
        if (byte < (i == 1 ? shape.low : 0x80) || byte > (i == 1 ? shape.high : 0xBF)) {
            return false;
        }
    }
    return true;
}

// Length of the well-formed UTF-8 sequence at the start of s, or 0.
std::size_t validSequenceLength(std::string_view s) {
    const SequenceShape shape = shapeOf(static_cast<std::uint8_t>(s[0]));
    if (shape.length == 0 || s.size() < shape.length || !tailFits(s, shape)) {
        return 0;
    }
    return shape.length;
}

} // namespace

std::size_t validUtf8Prefix(std::string_view bytes) noexcept {
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Plain ASCII eight bytes at a time.
        while (bytes.size() - i >= 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i, sizeof word);
            if ((word & 0x8080808080808080ULL) != 0) {
                break;
            }
            i += 8;
        }
        if (i == bytes.size()) {
            break;
        }
        if (static_cast<std::uint8_t>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = validSequenceLength(bytes.substr(i));
        if (length == 0) {
            break;
        }
        i += length;
    }
    return i;
}

bool isCutUtf8Sequence(std::string_view bytes) noexcept {
    if (bytes.empty()) {
        return false;
    }
    const SequenceShape shape = shapeOf(static_cast<std::uint8_t>(bytes[0]));
    return bytes.size() < shape.length && tailFits(bytes, shape);
}

std::size_t findNonAscii(std::string_view bytes) noexcept {
    std::size_t i = 0;
    // Eight bytes at a time, four words a round while nothing turns up.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    for (; bytes.size() - i >= 32; i += 32) {
        std::uint64_t words[4];
        std::memcpy(words, bytes.data() + i, sizeof words);
        if (((words[0] | words[1] | words[2] | words[3]) & kHighBits) != 0) {
            break;
        }
    }
    for (; bytes.size() - i >= 8; i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if ((word & kHighBits) != 0) {
            break;
        }
    }
    while (i < bytes.size() && static_cast<std::uint8_t>(bytes[i]) < 0x80) {
        ++i;
    }
    return i;
}

std::string decodeListText(std::string_view bytes) {
    std::size_t i = validUtf8Prefix(bytes);
    if (i == bytes.size()) {
        // Nearly every list file: UTF-8 (or ASCII) throughout, kept as it is.
        return std::string(bytes);
    }
    std::string out;
    // A Windows-1252 byte takes at most three bytes in UTF-8.
    out.reserve(bytes.size() + (bytes.size() - i) * 2);
    out.append(bytes.substr(0, i));
    while (i < bytes.size()) {
        const std::size_t valid = validUtf8Prefix(bytes.substr(i));
        out.append(bytes.substr(i, valid));
        i += valid;
        if (i == bytes.size()) {
            break;
        }
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        appendUtf8(out, lead < 0xA0 ? kWindows1252High[lead - 0x80] : char32_t{lead});
        ++i;
    }
    return out;
}

} // namespace tallywick
