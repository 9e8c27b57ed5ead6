// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "base/Utf8Validator.h"

#include "base/TextDecoding.h"

#include <algorithm>

namespace tallywick {

bool Utf8Validator::feed(std::string_view piece) {
    if (!valid_) {
        return false;
    }
    nonAscii_ = nonAscii_ || findNonAscii(piece) < piece.size();
    // A sequence the last piece cut off is completed a byte at a time.
    while (pendingSize_ > 0 && !piece.empty()) {
        pending_[pendingSize_++] = piece.front();
        piece.remove_prefix(1);
        const std::string_view sequence(pending_.data(), pendingSize_);
        if (validUtf8Prefix(sequence) == sequence.size()) {
            pendingSize_ = 0;
        } else if (!isCutUtf8Sequence(sequence)) {
            valid_ = false;
            return false;
        }
    }
    const std::string_view rest = piece.substr(validUtf8Prefix(piece));
    if (rest.empty()) {
        return true;
    }
    if (!isCutUtf8Sequence(rest)) {
        valid_ = false;
        return false;
    }
    std::copy(rest.begin(), rest.end(), pending_.begin());
    pendingSize_ = rest.size();
    return true;
}

} // namespace tallywick
