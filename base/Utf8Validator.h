// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tallywick {

// Checks a text that comes in pieces, as a file is read, for well-formed
// UTF-8 throughout: a sequence may be split between two pieces. Holds no more
// than the few bytes of one split sequence.
class Utf8Validator {
public:
    // Takes the next piece; false once the text can no longer be well-formed
    // UTF-8, whatever follows.
    bool feed(std::string_view piece);

    // Whether everything fed is well-formed UTF-8, with no sequence cut off
    // at its end.
    [[nodiscard]] bool valid() const noexcept { return valid_ && pendingSize_ == 0; }

    // Whether any byte fed is not plain ASCII.
    [[nodiscard]] bool sawNonAscii() const noexcept { return nonAscii_; }

private:
    // The start of a sequence that the end of the last piece cut off.
    std::array<char, 4> pending_{};
    std::size_t pendingSize_ = 0;
    bool valid_ = true;
    bool nonAscii_ = false;
};

} // namespace tallywick
