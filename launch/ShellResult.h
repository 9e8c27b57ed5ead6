// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace tallywick {

// What the shell answers a launch with: the value ShellExecute returns. Above
// 32 is success; 32 or less a failure value, named here where the program
// knows what it means. Any other value may come back too.
enum class ShellResult : std::int32_t {
    OutOfResources = 0, // no memory, or the program file is corrupt
    FileNotFound = 2,
    PathNotFound = 3,
    AccessDenied = 5, // a sharing or protection error
    SeparateDataSegments = 6,
    OutOfMemory = 8,
    WrongWindowsVersion = 10,
    BadFormat = 11, // not a program file the system can run
    OtherOperatingSystem = 12,
    NeedsMsDos4 = 13,
    UnknownProgramType = 14,
    RealModeProgram = 15,
    SecondInstanceDataSegments = 16,
    CompressedProgram = 19,
    BadLibrary = 20,
    Needs32BitExtensions = 21,
    NoAssociation = 31, // no program handles the target
    Launched = 42,      // what the shell's own answers of success look like
};

// Above this the shell reports success; at or below it a failure value.
inline constexpr std::int32_t kShellSuccessThreshold = 32;

[[nodiscard]] constexpr bool shellSucceeded(ShellResult result) {
    return static_cast<std::int32_t>(result) > kShellSuccessThreshold;
}

} // namespace tallywick
