// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>

namespace tallywick::bench {

// List files made up for the benchmarks, the same bytes on every run.

// Entries like the delivered lists': card names of 30 to 70 characters, CR LF
// line ends, about one in eight quoted around a comma, about one in fifty with
// an accented letter in UTF-8.
[[nodiscard]] std::string typicalList(std::size_t entries);

// Quoted entries of 500 to 1,000 characters, each holding commas and one line
// end of its own.
[[nodiscard]] std::string longQuotedList(std::size_t entries);

} // namespace tallywick::bench
