// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListFieldParser.h"

#include "base/TextDecoding.h"
#include "catalogue/FieldEndScan.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace tallywick {

namespace {

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr std::array<bool, 256> makeFieldEnds() {
    std::array<bool, 256> ends{};
    ends[static_cast<unsigned char>(',')] = true;
    ends[static_cast<unsigned char>('\r')] = true;
    ends[static_cast<unsigned char>('\n')] = true;
    return ends;
}

constexpr auto kFieldEnds = makeFieldEnds();

} // namespace

// Each state's step runs once or twice per field: folded into feed()'s loop,
// they cost what one function's switch would, not a call each.
#if defined(__GNUC__)
#define TALLYWICK_PARSER_STEP [[gnu::always_inline]] inline
#elif defined(_MSC_VER)
#define TALLYWICK_PARSER_STEP __forceinline
#else
#define TALLYWICK_PARSER_STEP inline
#endif

void ListFieldParser::emitField() {
    if (fieldCount_ == maxFields_) {
        overflowed_ = true;
        return;
    }
    if (state_ == State::Unquoted) {
        // Blanks at the end of an unquoted field are dropped; it holds at
        // least the character that started it, which is no blank.
        const std::string_view field = fields_.open();
        std::size_t length = field.size();
        while (length > 0 && isBlank(field[length - 1])) {
            --length;
        }
        fields_.truncateOpen(length);
    }
    fields_.closeOpen();
    ++fieldCount_;
}

bool ListFieldParser::skipByteOrderMark(std::string_view& chunk) {
    // The mark may arrive split across chunks; a partial match that turns out
    // not to be one is ordinary text.
    while (!chunk.empty() && bomMatched_ < kUtf8ByteOrderMark.size() &&
           chunk.front() == kUtf8ByteOrderMark[bomMatched_]) {
        ++bomMatched_;
        chunk.remove_prefix(1);
    }
    if (bomMatched_ == kUtf8ByteOrderMark.size()) {
        bomDone_ = true;
    } else if (!chunk.empty()) {
        bomDone_ = true;
        const std::size_t matched = std::exchange(bomMatched_, 0);
        if (matched > 0) {
            return feed(kUtf8ByteOrderMark.substr(0, matched));
        }
    }
    return true;
}

TALLYWICK_PARSER_STEP const char* ListFieldParser::startField(const char* p, const char* end) {
    while (p != end && isBlank(*p)) {
        ++p;
    }
    if (p == end) {
        return p;
    }
    if (kFieldEnds[static_cast<unsigned char>(*p)]) {
        return endField(*p, p + 1, end);
    }
    if (*p == '"') {
        state_ = State::Quoted;
        return p + 1;
    }
    state_ = State::Unquoted;
    return readUnquoted(p, end);
}

TALLYWICK_PARSER_STEP const char* ListFieldParser::readUnquoted(const char* p, const char* end) {
    // A double quote inside an unquoted field is an ordinary byte.
    const char* stop = findFieldEnd(p, end);
    fields_.appendToOpen(p, stop);
    return stop == end ? end : endField(*stop, stop + 1, end);
}

TALLYWICK_PARSER_STEP const char* ListFieldParser::readQuoted(const char* p, const char* end) {
    const auto* quote = static_cast<const char*>(std::memchr(p, '"', end - p));
    if (quote == nullptr) {
        fields_.appendToOpen(p, end);
        return end;
    }
    fields_.appendToOpen(p, quote);
    state_ = State::AfterQuote;
    return quote + 1;
}

TALLYWICK_PARSER_STEP const char* ListFieldParser::skipAfterQuote(const char* p, const char* end) {
    // What follows the closing quote up to the field's end is dropped.
    const char* stop = findFieldEnd(p, end);
    return stop == end ? end : endField(*stop, stop + 1, end);
}

TALLYWICK_PARSER_STEP const char* ListFieldParser::skipLineFeed(const char* p) {
    state_ = State::StartOfField;
    return *p == '\n' ? p + 1 : p;
}

TALLYWICK_PARSER_STEP const char* ListFieldParser::endField(char terminator, const char* p,
                                                            const char* end) {
    emitField();
    afterComma_ = terminator == ',';
    state_ = State::StartOfField;
    if (terminator != '\r') {
        return p;
    }
    // A CR takes the LF after it along, even from the next chunk.
    if (p == end) {
        state_ = State::AfterCarriageReturn;
        return p;
    }
    return *p == '\n' ? p + 1 : p;
}

bool ListFieldParser::feed(std::string_view chunk) {
    if (overflowed_) {
        return false;
    }
    if (!bomDone_ && (!skipByteOrderMark(chunk) || chunk.empty())) {
        return !overflowed_;
    }

    // The chunk's fields take at most its bytes, and a field seldom fewer
    // than sixteen: room for them at once rather than growing piece by piece.
    fields_.reserve(chunk.size(), std::min<std::size_t>(chunk.size() / 16 + 1, 4096));

    const char* p = chunk.data();
    const char* const end = p + chunk.size();
    while (p != end && !overflowed_) {
        switch (state_) {
        case State::StartOfField:
            p = startField(p, end);
            break;
        case State::Unquoted:
            p = readUnquoted(p, end);
            break;
        case State::Quoted:
            p = readQuoted(p, end);
            break;
        case State::AfterQuote:
            p = skipAfterQuote(p, end);
            break;
        case State::AfterCarriageReturn:
            p = skipLineFeed(p);
            break;
        }
    }
    return !overflowed_;
}

bool ListFieldParser::finish() {
    if (overflowed_) {
        return false;
    }
    if (!bomDone_ && bomMatched_ > 0 && bomMatched_ < kUtf8ByteOrderMark.size()) {
        const std::size_t matched = bomMatched_;
        bomDone_ = true;
        feed(kUtf8ByteOrderMark.substr(0, matched));
    }
    switch (state_) {
    case State::StartOfField:
        // A comma at the very end still closes an (empty) field; blanks
        // after the last line end do not make one.
        if (afterComma_) {
            emitField();
        }
        break;
    case State::Unquoted:
    case State::Quoted:
    case State::AfterQuote:
        emitField();
        break;
    case State::AfterCarriageReturn:
        break;
    }
    state_ = State::StartOfField;
    afterComma_ = false;
    return !overflowed_;
}

} // namespace tallywick
