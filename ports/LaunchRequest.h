// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tallywick {

// An opaque native window handle; 0 stands for "no window".
using WindowHandle = std::uintptr_t;

// The show command that opens a normal window.
inline constexpr std::int32_t kShowNormal = 1;

// What the shell is asked to do: the arguments of ShellExecute, in its order.
struct LaunchRequest {
    WindowHandle parent = 0;
    std::optional<std::string> operation; // none: the target's default action
    std::string file;
    std::optional<std::string> parameters;
    std::string directory;
    std::int32_t showCommand = kShowNormal;

    bool operator==(const LaunchRequest&) const = default;
};

} // namespace tallywick
