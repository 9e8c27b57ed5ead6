// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TALLYWICK_FIELD_END_SSE2 1
#endif

namespace tallywick {

// Where an unquoted field of a list file stops: the first comma, CR or LF in
// [begin, end), or end. Both are inline, as the reader calls them once or
// twice for every field.

// One byte at a time: what findFieldEnd must always agree with.
[[nodiscard]] inline const char* findFieldEndByteWise(const char* begin, const char* end) noexcept {
    for (const char* p = begin; p != end; ++p) {
        if (*p == ',' || *p == '\r' || *p == '\n') {
            return p;
        }
    }
    return end;
}

// Sixteen bytes at a time where the processor has SSE2, the tail byte-wise.
[[nodiscard]] inline const char* findFieldEnd(const char* begin, const char* end) noexcept {
    const char* p = begin;
#ifdef TALLYWICK_FIELD_END_SSE2
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
    return findFieldEndByteWise(p, end);
}

} // namespace tallywick
