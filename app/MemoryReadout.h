// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/NumberFormat.h"

#include <cstdint>
#include <string>

namespace tallywick {

// A memory panel figure: the byte count in kilobytes, rounded half away from
// zero, grouped the user's way, then " KB". A figure that rounds to 0 shows
// the unit alone.
[[nodiscard]] std::string memoryCaption(std::uint64_t bytes, const NumberFormat& numbers);

} // namespace tallywick
