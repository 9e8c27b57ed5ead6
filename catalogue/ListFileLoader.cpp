// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListFileLoader.h"

#include "base/DigitGrouping.h"
#include "base/RunTimeError.h"
#include "catalogue/ListFieldParser.h"
#include "catalogue/ListText.h"

#include <algorithm>
#include <cstdint>

namespace tallywick {

namespace {

// What one read asks for at least (some files, such as those under /proc,
// refuse reads of a few bytes), and so how far past the limit a file may be
// read before it is refused.
constexpr std::size_t kReadPiece = std::size_t{64} * 1024;

// The whole file, but no more than a piece past the limit: enough to know it
// is too large, however much more it would give.
GrowingArray<char> readWhole(ListFile& file, const std::string& name) {
    GrowingArray<char> bytes;
    // Room for what the file claims and a piece more, so that the read that
    // meets its end needs no more room.
    bytes.reserveMore(
        static_cast<std::size_t>(std::min<std::uint64_t>(file.claimedSize(), kMaxListFileBytes)) +
        kReadPiece);
    while (true) {
        if (bytes.spareSize() < kReadPiece) {
            // Doubled, as a vector grows, but never past what the limit needs.
            const std::size_t capacity = bytes.size() + bytes.spareSize();
            bytes.reserve(std::min(std::max(2 * capacity, bytes.size() + kReadPiece),
                                   kMaxListFileBytes + kReadPiece));
        }
        const std::size_t wanted = bytes.spareSize();
        const std::size_t got = file.read(bytes.spare(wanted), wanted);
        if (got == 0) {
            return bytes;
        }
        bytes.extend(got);
        if (bytes.size() > kMaxListFileBytes) {
            throw fileError(ErrorNumber::OutOfMemory, name,
                            "is larger than " + std::to_string(kMaxListFileBytes >> 20) + " MB");
        }
    }
}

} // namespace

ListEntries loadListEntries(ListFilePort& files, const std::string& name) {
    ListText text;
    {
        // Closed when read, or when reading throws, before the next list
        // file opens.
        const auto file = files.open(name);
        text = decodeListText(readWhole(*file, name), files);
    }
    // The fields are split in place, so the text becomes the entries' own.
    GrowingArray<char>& buffer = text.buffer;
    GrowingArray<std::size_t> ends;
    const char* const begin = buffer.data() + text.start;
    if (!splitListFields(begin, buffer.data() + buffer.size(), buffer.data(), kMaxListEntries,
                         ends)) {
        throw fileError(ErrorNumber::Overflow, name,
                        "holds more than " + groupedInThrees(kMaxListEntries) + " entries");
    }
    buffer.resize(ends.empty() ? 0 : ends[ends.size() - 1]);
    buffer.shrinkToFit();
    ends.shrinkToFit();
    return {std::move(buffer), std::move(ends)};
}

std::vector<std::string> loadListFile(ListFilePort& files, const std::string& name) {
    return loadListEntries(files, name).toStrings();
}

} // namespace tallywick
