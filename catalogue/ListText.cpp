// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/ListText.h"

#include "base/TextDecoding.h"

#include <utility>

namespace tallywick {

ListTextForm recogniseListText(std::string_view bytes) noexcept {
    if (bytes.starts_with(kUtf8ByteOrderMark)) {
        return {ListEncoding::Utf8, kUtf8ByteOrderMark.size()};
    }
    if (bytes.starts_with(kUtf16LeByteOrderMark)) {
        return {ListEncoding::Utf16LittleEndian, kUtf16LeByteOrderMark.size()};
    }
    if (bytes.starts_with(kUtf16BeByteOrderMark)) {
        return {ListEncoding::Utf16BigEndian, kUtf16BeByteOrderMark.size()};
    }
    if (validUtf8Prefix(bytes) == bytes.size()) {
        return {ListEncoding::Utf8, 0};
    }
    return {ListEncoding::Legacy, 0};
}

ListText decodeListText(GrowingArray<char> bytes, const ListFilePort& files) {
    const std::string_view all(bytes.data(), bytes.size());
    const ListTextForm form = recogniseListText(all);
    const std::string_view text = all.substr(form.markSize);
    // Without a mark, UTF-8 was recognised by being well-formed throughout.
    if (form.encoding == ListEncoding::Utf8 &&
        (form.markSize == 0 || validUtf8Prefix(text) == text.size())) {
        return {std::move(bytes), form.markSize};
    }
    ListText decoded;
    switch (form.encoding) {
    case ListEncoding::Utf8:
        appendUtf8Repaired(text, decoded.buffer);
        break;
    case ListEncoding::Utf16LittleEndian:
        appendUtf16AsUtf8(text, ByteOrder::LittleEndian, decoded.buffer);
        break;
    case ListEncoding::Utf16BigEndian:
        appendUtf16AsUtf8(text, ByteOrder::BigEndian, decoded.buffer);
        break;
    case ListEncoding::Legacy:
        files.appendLegacyText(text, decoded.buffer);
        break;
    }
    return decoded;
}

} // namespace tallywick
