// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tallywick {

// How much of a list entry the window shows. An entry may be as long as its
// file (64 MB), and the list keeps it whole, but a list row, the typed-letter
// search and what a screen reader hears show only its first
// kShownEntryCharacters characters, followed by an ellipsis where it goes on:
// no real source needs more, and so showing a 64 MB entry costs what showing
// a short one does, the window keeps no copy of a whole entry, and neither
// front-end ever converts one.
inline constexpr std::size_t kShownEntryCharacters = 256;

// ENTRY (UTF-8) as the window shows it: whole up to kShownEntryCharacters
// characters; beyond, cut after that many and followed by "…". The cut falls
// between whole characters, never inside a UTF-8 sequence, so never inside a
// UTF-16 surrogate pair either. Reads no further into ENTRY than the cut.
[[nodiscard]] std::string shownEntryText(std::string_view entry);

} // namespace tallywick
