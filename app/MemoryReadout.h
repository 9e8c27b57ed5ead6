// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/DigitGrouping.h"

#include <cstdint>
#include <string>

namespace tallywick {

// A memory panel figure: the byte count in kilobytes, rounded half away from
// zero, in the region's digits grouped in threes with its separator, then
// " KB". A figure that rounds to 0 shows the unit alone.
[[nodiscard]] std::string memoryCaption(std::uint64_t bytes, const NumberSymbols& symbols);

} // namespace tallywick
