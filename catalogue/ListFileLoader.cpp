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
    FieldTaker(const ListFieldParser::Fields& fields, const ListFile& file)
        : text_(fields.text()), ends_(fields.ends()), file_(file) {}

    void into(ListEntries& entries) const {
        std::size_t first = 0;
        while (first < ends_.size()) {
            const std::size_t from = startOf(first);
            const std::size_t other = from + findNonAscii(text_.substr(from));
            if (other == text_.size()) {
                appendAscii(entries, first, ends_.size());
                return;
            }
            const std::size_t field = fieldHolding(other, first);
            appendAscii(entries, first, field);
            entries.push_back(
                file_.decode(text_.substr(startOf(field), ends_[field] - startOf(field))));
            first = field + 1;
        }
    }

private:
    [[nodiscard]] std::size_t startOf(std::size_t field) const {
        return field == 0 ? 0 : ends_[field - 1];
    }

    // The field (from first on) that holds the byte at offset: the first one
    // ending past it.
    [[nodiscard]] std::size_t fieldHolding(std::size_t offset, std::size_t first) const {
        const auto from = ends_.begin() + static_cast<std::ptrdiff_t>(first);
        return static_cast<std::size_t>(std::upper_bound(from, ends_.end(), offset) -
                                        ends_.begin());
    }

    // Fields [first, last), all plain ASCII.
    void appendAscii(ListEntries& entries, std::size_t first, std::size_t last) const {
        if (first == last) {
            return;
        }
        const std::size_t begin = startOf(first);
        entries.append(text_.substr(begin, ends_[last - 1] - begin),
                       ends_.subspan(first, last - first), begin);
    }

    std::string_view text_;
    std::span<const std::size_t> ends_;
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
    std::array<char, 64 * 1024> buffer;
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
