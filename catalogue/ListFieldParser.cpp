// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListFieldParser.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TALLYWICK_LIST_SSE2 1
#endif

namespace tallywick {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

// The first comma, CR or LF in [p, end), or end.
const char* findFieldEnd(const char* p, const char* const end) {
#ifdef TALLYWICK_LIST_SSE2
    const __m128i comma = _mm_set1_epi8(',');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, comma), _mm_cmpeq_epi8(bytes, cr)),
                         _mm_cmpeq_epi8(bytes, lf));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0) {
            return p + std::countr_zero(mask);
        }
        p += 16;
    }
#endif
    while (p != end && !kFieldEnds[static_cast<unsigned char>(*p)]) {
        ++p;
    }
    return p;
}

} // namespace

void ListFieldParser::emitField() {
    if (fieldCount_ == maxFields_) {
        overflowed_ = true;
        return;
    }
    if (state_ == State::Unquoted) {
        // Blanks at the end of an unquoted field are dropped; it holds at
        // least the character that started it, which is no blank.
        std::size_t end = text_.size();
        while (end > fieldStart() && isBlank(text_[end - 1])) {
            --end;
        }
        text_.resize(end);
    }
    ends_.push_back(text_.size());
    ++fieldCount_;
}

void ListFieldParser::clearFields() {
    text_.erase(0, fieldStart());
    ends_.clear();
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

    // The chunk's fields take at most its bytes, and a field at least one
    // byte: room for both at once rather than growing piece by piece.
    text_.reserve(text_.size() + chunk.size());
    if (ends_.capacity() == 0) {
        ends_.reserve(std::min<std::size_t>(chunk.size() / 16 + 1, 4096));
    }

    const char* p = chunk.data();
    const char* const end = p + chunk.size();
    // After the comma, CR or LF that ended a field (p is past it): the next
    // field starts, and a CR's LF is taken along when it is at hand.
    const auto fieldEnded = [this, &p, end](char terminator) {
        emitField();
        afterComma_ = terminator == ',';
        state_ = State::StartOfField;
        if (terminator == '\r') {
            if (p == end) {
                state_ = State::AfterCarriageReturn;
            } else if (*p == '\n') {
                ++p;
            }
        }
    };
    while (p != end && !overflowed_) {
        switch (state_) {
        case State::AfterCarriageReturn:
            state_ = State::StartOfField;
            if (*p == '\n') {
                ++p;
            }
            break;
        case State::StartOfField: {
            while (p != end && isBlank(*p)) {
                ++p;
            }
            if (p == end) {
                break;
            }
            const char c = *p;
            if (kFieldEnds[static_cast<unsigned char>(c)]) {
                ++p;
                fieldEnded(c);
                break;
            }
            if (c == '"') {
                ++p;
                state_ = State::Quoted;
                break;
            }
            state_ = State::Unquoted;
            [[fallthrough]];
        }
        case State::Unquoted: {
            // A double quote inside an unquoted field is an ordinary byte.
            const char* stop = findFieldEnd(p, end);
            text_.append(p, stop);
            p = stop;
            if (p != end) {
                fieldEnded(*p++);
            }
            break;
        }
        case State::Quoted: {
            const auto* quote = static_cast<const char*>(std::memchr(p, '"', end - p));
            const char* stop = quote != nullptr ? quote : end;
            text_.append(p, stop);
            p = stop;
            if (quote != nullptr) {
                ++p;
                state_ = State::AfterQuote;
            }
            break;
        }
        case State::AfterQuote:
            // What follows the closing quote up to the field's end is dropped.
            p = findFieldEnd(p, end);
            if (p != end) {
                fieldEnded(*p++);
            }
            break;
        }
    }
    return !overflowed_;
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
