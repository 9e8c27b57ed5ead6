// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The help text in the user's lists folder is the program's, not the user's:
// a copy that is, byte for byte, a help text some version of TALLYWICK
// delivered was never changed by its user, and a newer one may take its place.
// A copy the user changed is the user's and stays.
//
// Each delivered help text is known by its size and its 64-bit FNV-1a digest
// (a slip of a user's editor cannot match both). Every version that changes
// the help text adds its own to the table in DeliveredHelp.cpp and keeps the
// older ones: the tests fail while the delivered text is missing from it.
namespace tallywick::DeliveredHelp {

[[nodiscard]] std::uint64_t digest(std::string_view bytes) noexcept;

// Whether these bytes are a help text some version delivered, unchanged.
[[nodiscard]] bool isDelivered(std::string_view bytes) noexcept;

// The size of the largest delivered help text: a larger file is not one of
// them and need not be read.
[[nodiscard]] std::size_t largestSize() noexcept;

} // namespace tallywick::DeliveredHelp
