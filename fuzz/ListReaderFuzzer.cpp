// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// libFuzzer target for the list-file reader, from the encoding decision to
// the entries. Beyond "no crash", it checks properties every reading must
// keep, whatever the bytes:
// - reading the same bytes in reads of another size gives the same entries;
// - there are never more entries than delimiters (comma, CR, LF) in the
//   decoded text plus one;
// - entries written back as quoted fields read back unchanged (entries
//   without quotes or line ends), in UTF-8 and in UTF-16 with its mark;
// - every entry is well-formed UTF-8.

#include "MemoryListFiles.h"
#include "base/RunTimeError.h"
#include "catalogue/ListFileLoader.h"
#include "catalogue/ListText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tallywick;
using Entries = std::vector<std::string>;

// The entries, or none when the file holds too many.
std::optional<Entries> read(const std::string& bytes, std::size_t chunk) {
    fuzzing::MemoryListFiles source(bytes, chunk);
    try {
        const ListEntries entries = loadListEntries(source, "fuzz.txt");
        Entries texts;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            texts.emplace_back(entries[i]);
        }
        return texts;
    } catch (const RunTimeError& error) {
        if (error.number() != ErrorNumber::Overflow) {
            std::abort();
        }
        return std::nullopt;
    }
}

// The code points of well-formed UTF-8, or none: written apart from the
// reader's own check, so that the two cannot share a fault.
std::optional<std::u32string> codePoints(const std::string& s) {
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

// The text as UTF-16 LE with its mark, as Notepad saves it.
std::string asUtf16WithMark(const std::u32string& points) {
    std::string bytes = "\xFF\xFE";
    const auto unit = [&bytes](char32_t u) {
        bytes.push_back(static_cast<char>(u & 0xFF));
        bytes.push_back(static_cast<char>(u >> 8));
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

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t chunk = size == 0 ? 1 : 1 + data[0] % 13;

    const auto first = read(bytes, 64 * 1024);
    const auto second = read(bytes, chunk);
    check(first == second);
    if (!first) {
        return 0;
    }
    fuzzing::MemoryListFiles source(bytes, chunk);
    GrowingArray<char> raw;
    raw.append(bytes.data(), bytes.size());
    const ListText text = decodeListText(std::move(raw), source);
    const auto delimiters = static_cast<std::size_t>(
        std::count_if(text.buffer.data() + text.start, text.buffer.data() + text.buffer.size(),
                      [](char c) { return c == ',' || c == '\r' || c == '\n'; }));
    check(first->size() <= delimiters + 1);

    Entries plain;
    std::u32string plainText;
    for (const std::string& entry : *first) {
        const auto points = codePoints(entry);
        check(points.has_value());
        if (entry.find_first_of("\"\r\n") == std::string::npos) {
            plain.push_back(entry);
            plainText += U'"' + *points + U"\"\r\n";
        }
    }
    std::string written;
    for (const std::string& entry : plain) {
        written += '"' + entry + "\"\r\n";
    }
    check(read(written, chunk) == plain);
    check(read(asUtf16WithMark(plainText), chunk) == plain);
    return 0;
}
