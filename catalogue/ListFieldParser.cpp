#include "catalogue/ListFieldParser.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tallywick {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

constexpr std::array<bool, 256> makeUnquotedStops() {
    std::array<bool, 256> stops{};
    stops[static_cast<unsigned char>(',')] = true;
    stops[static_cast<unsigned char>('\r')] = true;
    stops[static_cast<unsigned char>('\n')] = true;
    return stops;
}

constexpr auto kUnquotedStops = makeUnquotedStops();

} // namespace

void ListFieldParser::emitField() {
    if (fields_.size() == maxFields_) {
        overflowed_ = true;
        return;
    }
    if (state_ == State::Unquoted) {
        auto end = current_.find_last_not_of(" \t");
        current_.resize(end == std::string::npos ? 0 : end + 1);
    }
    fields_.push_back(std::move(current_));
    current_.clear();
}

bool ListFieldParser::feed(std::string_view chunk) {
    if (overflowed_) {
        return false;
    }
    if (!bomDone_) {
        // The mark may arrive split across chunks; a partial match that turns
        // out not to be one is ordinary text.
        while (!chunk.empty() && bomMatched_ < kByteOrderMark.size() &&
               chunk.front() == kByteOrderMark[bomMatched_]) {
            ++bomMatched_;
            chunk.remove_prefix(1);
        }
        if (bomMatched_ == kByteOrderMark.size()) {
            bomDone_ = true;
        } else if (!chunk.empty()) {
            bomDone_ = true;
            const std::size_t matched = bomMatched_;
            bomMatched_ = 0;
            if (matched > 0 && !feed(kByteOrderMark.substr(0, matched))) {
                return false;
            }
        } else {
            return true;
        }
    }

    const char* p = chunk.data();
    const char* const end = p + chunk.size();
    while (p != end && !overflowed_) {
        const char c = *p;
        switch (state_) {
        case State::AfterCarriageReturn:
            state_ = State::StartOfField;
            if (c == '\n') {
                ++p;
            }
            break;
        case State::StartOfField:
            ++p;
            if (isBlank(c)) {
                break;
            }
            if (c == ',') {
                emitField();
                afterComma_ = true;
            } else if (c == '\r' || c == '\n') {
                emitField();
                endLine();
                state_ = c == '\r' ? State::AfterCarriageReturn : State::StartOfField;
            } else if (c == '"') {
                state_ = State::Quoted;
            } else {
                current_.push_back(c);
                state_ = State::Unquoted;
            }
            break;
        case State::Unquoted: {
            const char* stop = p;
            while (stop != end && !kUnquotedStops[static_cast<unsigned char>(*stop)]) {
                ++stop;
            }
            current_.append(p, stop);
            p = stop;
            if (p == end) {
                break;
            }
            const char terminator = *p++;
            emitField();
            if (terminator == ',') {
                afterComma_ = true;
                state_ = State::StartOfField;
            } else {
                endLine();
                state_ = terminator == '\r' ? State::AfterCarriageReturn : State::StartOfField;
            }
            break;
        }
        case State::Quoted: {
            const auto* quote = static_cast<const char*>(std::memchr(p, '"', end - p));
            const char* stop = quote ? quote : end;
            current_.append(p, stop);
            p = quote ? quote + 1 : end;
            if (quote) {
                state_ = State::AfterQuote;
            }
            break;
        }
        case State::AfterQuote:
            ++p;
            if (c == ',') {
                emitField();
                afterComma_ = true;
                state_ = State::StartOfField;
            } else if (c == '\r' || c == '\n') {
                emitField();
                endLine();
                state_ = c == '\r' ? State::AfterCarriageReturn : State::StartOfField;
            }
            break;
        }
    }
    return !overflowed_;
}

void ListFieldParser::endLine() {
    afterComma_ = false;
}

bool ListFieldParser::finish() {
    if (overflowed_) {
        return false;
    }
    if (!bomDone_ && bomMatched_ > 0 && bomMatched_ < kByteOrderMark.size()) {
        const std::size_t matched = bomMatched_;
        bomDone_ = true;
        feed(kByteOrderMark.substr(0, matched));
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
