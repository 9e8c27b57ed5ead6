// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "catalogue/ListEntries.h"
#include "ports/ListFilePort.h"

#include <cstddef>
#include <string>

namespace tallywick {

// A list holds at most this many entries: its count is a 16-bit signed number.
inline constexpr std::size_t kMaxListEntries = 32767;

// No real list comes near this size (a full list of long card names takes
// under 3 MB); a larger file is refused before it can fill the memory.
inline constexpr std::size_t kMaxListFileBytes = std::size_t{64} << 20;

// Opens the named list file, reads it to its end and closes it; returns its
// fields, decoded, in file order. Throws RunTimeError when the file cannot be
// opened or read, is larger than kMaxListFileBytes (counted on what is read,
// whatever size it claims) or holds more than kMaxListEntries fields.
[[nodiscard]] ListEntries loadListEntries(ListFilePort& files, const std::string& name);

} // namespace tallywick
