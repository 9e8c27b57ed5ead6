#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

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
// Fields come out as raw bytes; decoding them is the caller's business.
class ListFieldParser {
public:
    explicit ListFieldParser(std::size_t maxFields) : maxFields_(maxFields) {}

    // Returns false once the file holds more than maxFields fields; the parser
    // then ignores further input.
    bool feed(std::string_view chunk);
    bool finish();

    [[nodiscard]] bool overflowed() const noexcept { return overflowed_; }
    [[nodiscard]] std::vector<std::string>& fields() noexcept { return fields_; }

private:
    enum class State { StartOfField, Unquoted, Quoted, AfterQuote, AfterCarriageReturn };

    void emitField();
    void endLine();

    std::size_t maxFields_;
    std::vector<std::string> fields_;
    std::string current_;
    State state_ = State::StartOfField;
    std::size_t bomMatched_ = 0;
    bool bomDone_ = false;
    bool afterComma_ = false;
    bool overflowed_ = false;
};

} // namespace tallywick
