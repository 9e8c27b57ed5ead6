// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "launch/ShellResult.h"

#include <string_view>

namespace tallywick {

// The text the document launcher shows for a refused launch; empty for a
// failure value without a message of its own.
[[nodiscard]] std::string_view shellResultText(ShellResult result) noexcept;

} // namespace tallywick
