// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListFileLoader.h"

#include "base/RunTimeError.h"
#include "base/TextDecoding.h"
#include "catalogue/ListFieldParser.h"

#include <algorithm>
#include <array>
#include <span>

namespace tallywick {

ListEntries loadListEntries(ListFileSource& source, const std::string& name) {
    ListFieldParser parser(kMaxListEntries);
    ListEntries entries;
    // Fields are decoded as each chunk completes them, so the raw bytes never
    // pile up beside the entries. Plain ASCII reads the same in every encoding
    // a list file may have: runs of such fields are taken over as they are,
    // and only fields with other bytes go through the source's decoding.
    const auto takeFields = [&] {
        const auto fields = parser.fields();
        const std::string_view text = fields.text();
        const std::span<const std::size_t> ends = fields.ends();
        const auto startOf = [&](std::size_t field) {
            return field == 0 ? 0 : ends[field - 1];
        };
        // Fields [first, last) are plain ASCII.
        const auto takeAscii = [&](std::size_t first, std::size_t last) {
            if (first < last) {
                const std::size_t begin = startOf(first);
                entries.append(text.substr(begin, ends[last - 1] - begin),
                               ends.subspan(first, last - first), begin);
            }
        };
        std::size_t first = 0;
        while (first < ends.size()) {
            const std::size_t from = startOf(first);
            const std::size_t other = from + findNonAscii(text.substr(from));
            if (other == text.size()) {
                takeAscii(first, ends.size());
                break;
            }
            // The field that holds it: the first one ending past it.
            const auto field = static_cast<std::size_t>(
                std::upper_bound(ends.begin() + static_cast<std::ptrdiff_t>(first), ends.end(),
                                 other) -
                ends.begin());
            takeAscii(first, field);
            entries.push_back(source.decode(fields[field]));
            first = field + 1;
        }
        parser.clearFields();
    };
    {
        const auto file = source.open(name);
        // Filled by each read before it is looked at: no need to clear it.
        std::array<char, 64 * 1024> buffer;
        bool withinLimit = true;
        while (withinLimit) {
            const std::size_t got = file->read(buffer.data(), buffer.size());
            if (got == 0) {
                break;
            }
            withinLimit = parser.feed({buffer.data(), got});
            takeFields();
        }
    }
    if (!parser.finish()) {
        throw RunTimeError(ErrorNumber::Overflow,
                           "Overflow: " + name + " holds more than 32,767 entries");
    }
    takeFields();
    return entries;
}

std::vector<std::string> loadListFile(ListFileSource& source, const std::string& name) {
    return loadListEntries(source, name).toStrings();
}

} // namespace tallywick
