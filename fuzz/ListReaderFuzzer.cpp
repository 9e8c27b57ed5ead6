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
#include "UnicodeReference.h"
#include "base/RunTimeError.h"
#include "catalogue/ListFileLoader.h"
#include "catalogue/ListText.h"

#include <algorithm>
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
        const auto points = fuzzing::codePoints(entry);
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
    check(read("\xFF\xFE" + fuzzing::utf16Bytes(plainText, false), chunk) == plain);
    return 0;
}
