// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListFileLoader.h"

#include "base/DigitGrouping.h"
#include "base/RunTimeError.h"
#include "catalogue/ListFieldParser.h"
#include "catalogue/ListText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tallywick {

namespace {

// How much a read asks for at least once the claimed size is read (some
// files, such as those under /proc, refuse reads of a few bytes), and so how
// far past the limit a file may be read before it is refused.
constexpr std::size_t kReadPiece = std::size_t{64} * 1024;

// Whether a file has more to give once its buffer is full: a small read
// aside, so that a file that gave what it claimed needs no more room.
constexpr std::size_t kProbe = 512;

// The whole file, but no more than a piece past the limit: enough to know it
// is too large, however much more it would give.
GrowingArray<char> readWhole(ListFile& file, const std::string& name) {
    GrowingArray<char> bytes;
    bytes.reserve(
        static_cast<std::size_t>(std::min<std::uint64_t>(file.claimedSize(), kMaxListFileBytes)));
    while (true) {
        std::size_t got = 0;
        if (bytes.spareSize() > 0) {
            got = file.read(bytes.spare(bytes.spareSize()), bytes.spareSize());
            bytes.extend(got);
        } else {
            std::array<char, kProbe> probe;
            got = file.read(probe.data(), probe.size());
            if (got > 0) {
                // Doubled, as a vector grows, but never past what the limit
                // needs.
                bytes.reserve(std::min(std::max(2 * bytes.size(), bytes.size() + kReadPiece),
                                       kMaxListFileBytes + kReadPiece));
                bytes.append(probe.data(), got);
            }
        }
        if (got == 0) {
            return bytes;
        }
        if (bytes.size() > kMaxListFileBytes) {
            throw fileError(ErrorNumber::OutOfMemory, name,
                            "is larger than " + std::to_string(kMaxListFileBytes >> 20) + " MB");
        }
    }
}

// Gives back the room an array was given beyond its values, where that is
// worth a reallocation.
template <typename T> void trim(GrowingArray<T>& values) {
    if (values.spareSize() * sizeof(T) > 4096 && values.spareSize() > values.size() / 4) {
        values.shrinkToFit();
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
    const std::size_t size = buffer.size() - text.start;
    // A field seldom takes fewer than sixteen bytes: room for the ends at once.
    GrowingArray<std::size_t> ends;
    ends.reserve(std::min(size / 16 + 1, kMaxListEntries));
    const char* const begin = buffer.data() + text.start;
    if (!splitListFields(begin, begin + size, buffer.data(), kMaxListEntries, ends)) {
        throw fileError(ErrorNumber::Overflow, name,
                        "holds more than " + groupedInThrees(kMaxListEntries) + " entries");
    }
    buffer.resize(ends.empty() ? 0 : ends[ends.size() - 1]);
    trim(buffer);
    trim(ends);
    return {std::move(buffer), std::move(ends)};
}

} // namespace tallywick
