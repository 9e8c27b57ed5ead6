// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "base/TextDecoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace tallywick {

namespace {

// Windows-1252 0x80..0x9F; the five undefined bytes map to the C1 controls
// of the same value.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

constexpr std::size_t utf8Length(char32_t code) {
    return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

// Writes code as UTF-8 at out; returns the end of what it wrote.
char* putUtf8(char* out, char32_t code) {
    const auto byte = [](char32_t value) {
        return static_cast<char>(value);
    };
    if (code < 0x80) {
        *out++ = byte(code);
    } else if (code < 0x800) {
        *out++ = byte(0xC0 | (code >> 6));
        *out++ = byte(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = byte(0xE0 | (code >> 12));
        *out++ = byte(0x80 | ((code >> 6) & 0x3F));
        *out++ = byte(0x80 | (code & 0x3F));
    } else {
        *out++ = byte(0xF0 | (code >> 18));
        *out++ = byte(0x80 | ((code >> 12) & 0x3F));
        *out++ = byte(0x80 | ((code >> 6) & 0x3F));
        *out++ = byte(0x80 | (code & 0x3F));
    }
    return out;
}

char32_t windows1252Code(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? kWindows1252High[byte - 0x80] : char32_t{byte};
}

// The length of the well-formed UTF-8 sequence at the start of s, or 0. The
// second byte's range is what rules out overlong forms (after E0 and F0),
// surrogates (after ED) and code points above U+10FFFF (after F4).
std::size_t sequenceLength(std::string_view s) {
    const auto at = [&](std::size_t i) {
        return static_cast<std::uint8_t>(s[i]);
    };
    const std::uint8_t lead = at(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() < length || at(1) < low || at(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

} // namespace

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

std::size_t validUtf8Prefix(std::string_view bytes) noexcept {
    std::size_t i = 0;
    while (true) {
        i += findNonAscii(bytes.substr(i));
        if (i == bytes.size()) {
            return i;
        }
        const std::size_t length = sequenceLength(bytes.substr(i));
        if (length == 0) {
            return i;
        }
        i += length;
    }
}

void appendUtf8Repaired(std::string_view bytes, GrowingArray<char>& out) {
    while (!bytes.empty()) {
        const std::size_t valid = validUtf8Prefix(bytes);
        out.append(bytes.data(), valid);
        bytes.remove_prefix(valid);
        if (!bytes.empty()) {
            char replacement[4];
            out.append(replacement, static_cast<std::size_t>(
                                        putUtf8(replacement, kReplacementCharacter) - replacement));
            bytes.remove_prefix(1);
        }
    }
}

void appendWindows1252AsUtf8(std::string_view bytes, GrowingArray<char>& out) {
    // Measured first, so that the text takes exactly its room.
    std::size_t length = 0;
    for (const char c : bytes) {
        length += utf8Length(windows1252Code(static_cast<std::uint8_t>(c)));
    }
    char* p = out.spare(length);
    for (const char c : bytes) {
        p = putUtf8(p, windows1252Code(static_cast<std::uint8_t>(c)));
    }
    out.extend(length);
}

void appendUtf16AsUtf8(std::string_view bytes, ByteOrder order, GrowingArray<char>& out) {
    const std::size_t units = bytes.size() / 2;
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<std::uint8_t>(bytes[2 * i]);
        const auto second = static_cast<std::uint8_t>(bytes[2 * i + 1]);
        return order == ByteOrder::LittleEndian ? char32_t(first | (second << 8))
                                                : char32_t((first << 8) | second);
    };
    // A unit takes at most three bytes in UTF-8 (a surrogate pair four for
    // two units), and a last odd byte three for its U+FFFD.
    char* const begin = out.spare(units * 3 + 3);
    char* p = begin;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDFFF) {
            const char32_t next = i + 1 < units ? unit(i + 1) : 0;
            if (code <= 0xDBFF && next >= 0xDC00 && next <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            } else {
                code = kReplacementCharacter;
            }
        }
        p = putUtf8(p, code);
    }
    if (bytes.size() % 2 != 0) {
        p = putUtf8(p, kReplacementCharacter);
    }
    out.extend(static_cast<std::size_t>(p - begin));
}

} // namespace tallywick
