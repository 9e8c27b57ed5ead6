// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// libFuzzer target for the list-file reader. Beyond "no crash", it checks
// properties every reading must keep, whatever the bytes:
// - reading the same bytes twice, or in chunks of another size, gives the
//   same entries;
// - there are never more entries than delimiters (comma, CR, LF) plus one;
// - entries written back as quoted fields read back unchanged (entries
//   without quotes or line ends);
// - every entry is valid UTF-8.

#include "base/RunTimeError.h"
#include "catalogue/ListFieldParser.h"
#include "catalogue/ListFileLoader.h"

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

class MemorySource final : public ListFilePort {
public:
    MemorySource(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
    std::unique_ptr<ListFile> open(const std::string&) override {
        return std::make_unique<File>(bytes_, chunk_);
    }

private:
    class File final : public ListFile {
    public:
        File(const std::string& bytes, std::size_t chunk) : bytes_(bytes), chunk_(chunk) {}
        std::size_t read(char* buffer, std::size_t size) override {
            const std::size_t n = std::min({size, chunk_, bytes_.size() - offset_});
            std::memcpy(buffer, bytes_.data() + offset_, n);
            offset_ += n;
            return n;
        }

    private:
        const std::string& bytes_;
        std::size_t chunk_;
        std::size_t offset_ = 0;
    };
    std::string bytes_;
    std::size_t chunk_;
};

// The entries, or none when the file holds too many.
std::optional<Entries> read(const std::string& bytes, std::size_t chunk) {
    MemorySource source(bytes, chunk);
    try {
        return loadListFile(source, "fuzz.txt");
    } catch (const RunTimeError& error) {
        if (error.number() != ErrorNumber::Overflow) {
            std::abort();
        }
        return std::nullopt;
    }
}

bool validUtf8(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t length = c < 0x80         ? 1
                             : (c >> 5) == 6  ? 2
                             : (c >> 4) == 14 ? 3
                             : (c >> 3) == 30 ? 4
                                              : 0;
        if (length == 0 || i + length > s.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
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
    const auto delimiters = static_cast<std::size_t>(std::count_if(
        bytes.begin(), bytes.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; }));
    check(first->size() <= delimiters + 1);

    Entries plain;
    for (const std::string& entry : *first) {
        check(validUtf8(entry));
        if (entry.find_first_of("\"\r\n") == std::string::npos) {
            plain.push_back(entry);
        }
    }
    std::string written;
    for (const std::string& entry : plain) {
        written += '"' + entry + "\"\r\n";
    }
    check(read(written, chunk) == plain);
    return 0;
}
