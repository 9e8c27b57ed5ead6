// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/GrowingArray.h"

#include <cstddef>

namespace tallywick {

// Splits the UTF-8 text of a list file into its fields.
//
// A field ends at a comma, a line end (CR LF, a lone CR or a lone LF) or the
// end of the text. Blanks (spaces, tabs) in front of a field and at the end of
// an unquoted field are dropped. A field that starts with a double quote runs
// to the next double quote, line ends included; what follows the closing quote
// up to the next comma or line end is dropped; a double quote inside an
// unquoted field is an ordinary character. Only blanks after the last line end
// give no further field.
//
// The fields' texts are written back to back from out, and where each ends
// (counted from out) is appended to ends. out may be begin itself: no field is
// longer than the text it came from, so the text is split in place. Returns
// false, with maxFields fields written, when the text holds more.
[[nodiscard]] bool splitListFields(const char* begin, const char* end, char* out,
                                   std::size_t maxFields, GrowingArray<std::size_t>& ends);

} // namespace tallywick
