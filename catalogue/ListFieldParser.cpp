// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListFieldParser.h"

#include "catalogue/FieldEndScan.h"

#include <cstring>

namespace tallywick {

namespace {

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool splitListFields(const char* p, const char* const end, char* const out,
                     const std::size_t maxFields, GrowingArray<std::size_t>& ends) {
    char* written = out;
    // Moves a field's bytes down to the end of the fields before it. Nothing
    // needs moving while no byte has been dropped yet.
    const auto take = [&written](const char* from, const char* to) {
        const auto count = static_cast<std::size_t>(to - from);
        if (written != from && count > 0) {
            std::memmove(written, from, count);
        }
        written += count;
    };
    const auto close = [&]() {
        if (ends.size() == maxFields) {
            return false;
        }
        ends.push_back(static_cast<std::size_t>(written - out));
        return true;
    };

    bool afterComma = false;
    while (true) {
        while (p != end && isBlank(*p)) {
            ++p;
        }
        if (p == end) {
            // A comma at the very end still closes an (empty) field; blanks
            // after the last line end do not make one.
            return !afterComma || close();
        }
        const char* stop = nullptr;
        if (*p == '"') {
            const char* const text = p + 1;
            const auto* quote = static_cast<const char*>(
                std::memchr(text, '"', static_cast<std::size_t>(end - text)));
            if (quote == nullptr) {
                // An unclosed quote runs to the end of the text.
                take(text, end);
                return close();
            }
            take(text, quote);
            // What follows the closing quote up to the field's end is dropped.
            stop = findFieldEnd(quote + 1, end);
        } else {
            stop = findFieldEnd(p, end);
            const char* last = stop;
            while (last != p && isBlank(last[-1])) {
                --last;
            }
            take(p, last);
        }
        if (!close()) {
            return false;
        }
        if (stop == end) {
            return true;
        }
        afterComma = *stop == ',';
        p = stop + 1;
        if (*stop == '\r' && p != end && *p == '\n') {
            ++p;
        }
    }
}

} // namespace tallywick
