// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// libFuzzer target for the decision of what a list file is written in and its
// decoding to UTF-8. Beyond "no crash", whatever the bytes:
// - the text is always well-formed UTF-8;
// - a file that is well-formed UTF-8 with no mark is kept byte for byte;
// - a file in the legacy code page (Windows-1252 here) gives one character
//   per byte;
// - UTF-16 gives one character per unit or surrogate pair, and reads back
//   to its own bytes when it holds no broken surrogate and no odd byte.

#include "UnicodeReference.h"
#include "catalogue/ListText.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace tallywick;

class Windows1252Files final : public ListFilePort {
public:
    std::unique_ptr<ListFile> open(const std::string& /*name*/) override { std::abort(); }
};

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool hasBrokenSurrogate(std::string_view units, bool bigEndian) {
    const auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(units[2 * i]);
        const auto b = static_cast<unsigned char>(units[2 * i + 1]);
        return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    const std::size_t count = units.size() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    GrowingArray<char> raw;
    raw.append(bytes.data(), bytes.size());
    const ListTextForm form = recogniseListText(bytes);
    const ListText text = decodeListText(std::move(raw), Windows1252Files());
    check(text.start <= text.buffer.size());
    const std::string_view decoded(text.buffer.data() + text.start,
                                   text.buffer.size() - text.start);
    const std::optional<std::u32string> decodedPoints = fuzzing::codePoints(decoded);
    check(decodedPoints.has_value());
    const std::u32string& points = *decodedPoints;
    const std::string_view body = bytes.substr(form.markSize);

    switch (form.encoding) {
    case ListEncoding::Utf8:
        check(form.markSize == 0 || form.markSize == 3);
        if (form.markSize == 0) {
            check(decoded == bytes);
        }
        break;
    case ListEncoding::Legacy:
        check(form.markSize == 0 && points.size() == bytes.size());
        break;
    case ListEncoding::Utf16LittleEndian:
    case ListEncoding::Utf16BigEndian: {
        const bool bigEndian = form.encoding == ListEncoding::Utf16BigEndian;
        check(form.markSize == 2 && points.size() <= body.size() / 2 + body.size() % 2);
        if (body.size() % 2 == 0 && !hasBrokenSurrogate(body, bigEndian)) {
            check(fuzzing::utf16Bytes(points, bigEndian) == body);
        }
        break;
    }
    }
    return 0;
}
