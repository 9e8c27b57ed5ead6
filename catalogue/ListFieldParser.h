// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "catalogue/ListEntries.h"

#include <cstddef>
#include <string_view>

namespace tallywick {

// Splits the bytes of a list file into fields, fed in chunks of any size so
// that a huge file never has to sit in memory whole.
//
// A field ends at a comma, a line end (CR LF, a lone CR or a lone LF) or the
// end of the file. Blanks (spaces, tabs) in front of a field and at the end of
// an unquoted field are dropped. A field that starts with a double quote runs
// to the next double quote, line ends included; what follows the closing quote
// up to the next comma or line end is dropped. Only blanks after the last line
// end give no further field. A leading UTF-8 byte-order mark is skipped.
//
// Fields come out as raw bytes; decoding them is the caller's business. They
// are kept back to back in one buffer, so reading a field costs no allocation
// of its own.
class ListFieldParser {
public:
    explicit ListFieldParser(std::size_t maxFields) : maxFields_(maxFields) {}

    // Returns false once the file holds more than maxFields fields; the parser
    // then ignores further input.
    bool feed(std::string_view chunk);
    bool finish();

    [[nodiscard]] bool overflowed() const noexcept { return overflowed_; }
    // The fields completed so far (since the last clearFields()), as views
    // into the parser's buffer: valid until the parser is next fed, finished
    // or cleared.
    [[nodiscard]] ListEntries::View fields() const noexcept { return fields_.view(); }
    // Forgets the completed fields (a field still being read stays); the
    // count towards maxFields goes on.
    void clearFields() { fields_.clearClosed(); }

private:
    enum class State { StartOfField, Unquoted, Quoted, AfterQuote, AfterCarriageReturn };

    // One step of the reader in each state: each takes the bytes at p (before
    // end), consumes what its state reads, and returns where it stopped.
    const char* startField(const char* p, const char* end);
    const char* readUnquoted(const char* p, const char* end);
    const char* readQuoted(const char* p, const char* end);
    const char* skipAfterQuote(const char* p, const char* end);
    const char* skipLineFeed(const char* p);
    // After the comma, CR or LF that ended a field; p is past it.
    const char* endField(char terminator, const char* p, const char* end);
    // Drops a leading UTF-8 byte-order mark from the first chunks; false
    // once the fields overflow.
    bool skipByteOrderMark(std::string_view& chunk);
    void emitField();

    std::size_t maxFields_;
    std::size_t fieldCount_ = 0;
    // The completed fields, then the field being read as the open text.
    ListEntries fields_;
    State state_ = State::StartOfField;
    std::size_t bomMatched_ = 0;
    bool bomDone_ = false;
    bool afterComma_ = false;
    bool overflowed_ = false;
};

} // namespace tallywick
