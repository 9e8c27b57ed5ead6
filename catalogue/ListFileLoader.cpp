// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListFileLoader.h"

#include "base/DigitGrouping.h"
#include "base/RunTimeError.h"
#include "base/TextDecoding.h"
#include "catalogue/ListFieldParser.h"

#include <algorithm>
#include <array>
#include <span>

namespace tallywick {

namespace {

// Moves the fields the parser has completed into the entries, decoded.
// Plain ASCII reads the same in every encoding a list file may have: runs of
// such fields are taken over as they are, in one copy, and only a field with
// other bytes goes through the file's decoding.
class FieldTaker {
public:
    FieldTaker(ListEntries::View fields, const ListFile& file) : fields_(fields), file_(file) {}

    void into(ListEntries& entries) const {
        const std::string_view buffer = fields_.buffer();
        const std::size_t count = fields_.size();
        if (count == 0) {
            return;
        }
        const std::size_t last = fields_.endOf(count - 1);
        std::size_t first = 0;
        while (first < count) {
            const std::size_t from = fields_.startOf(first);
            const std::size_t other = from + findNonAscii(buffer.substr(from, last - from));
            if (other == last) {
                entries.append(fields_.slice(first, count));
                return;
            }
            const std::size_t field = fieldHolding(other, first);
            entries.append(fields_.slice(first, field));
            entries.push_back(file_.decode(fields_[field]));
            first = field + 1;
        }
    }

private:
    // The field (from first on) that holds the byte at offset: the first one
    // ending past it.
    [[nodiscard]] std::size_t fieldHolding(std::size_t offset, std::size_t first) const {
        const std::span<const std::size_t> ends = fields_.ends();
        return static_cast<std::size_t>(
            std::upper_bound(ends.begin() + static_cast<std::ptrdiff_t>(first), ends.end(),
                             offset) -
            ends.begin());
    }

    ListEntries::View fields_;
    const ListFile& file_;
};

void takeFields(ListFieldParser& parser, const ListFile& file, ListEntries& entries) {
    FieldTaker(parser.fields(), file).into(entries);
    parser.clearFields();
}

} // namespace

ListEntries loadListEntries(ListFilePort& files, const std::string& name) {
    ListFieldParser parser(kMaxListEntries);
    ListEntries entries;
    // Closed when this returns or throws, before the next list file opens.
    const auto file = files.open(name);
    // Filled by each read before it is looked at: no need to clear it.
    std::array<char, std::size_t{64} * 1024> buffer;
    // Fields are decoded as each chunk completes them, so the raw bytes never
    // pile up beside the entries.
    bool withinLimit = true;
    while (withinLimit) {
        const std::size_t got = file->read(buffer.data(), buffer.size());
        if (got == 0) {
            break;
        }
        withinLimit = parser.feed({buffer.data(), got});
        takeFields(parser, *file, entries);
    }
    if (!parser.finish()) {
        throw fileError(ErrorNumber::Overflow, name,
                        "holds more than " + groupedInThrees(kMaxListEntries) + " entries");
    }
    takeFields(parser, *file, entries);
    return entries;
}

std::vector<std::string> loadListFile(ListFilePort& files, const std::string& name) {
    return loadListEntries(files, name).toStrings();
}

} // namespace tallywick
