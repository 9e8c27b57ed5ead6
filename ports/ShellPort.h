// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "launch/ShellResult.h"
#include "ports/LaunchRequest.h"

#include <string>

namespace tallywick {

// The platform's shell launch service, shaped like ShellExecuteA: a request in,
// the shell result out. A refused launch is a result of 32 or less; a launch
// that cannot even be attempted (no process could be created, memory ran out)
// throws RunTimeError.
class ShellPort {
public:
    virtual ~ShellPort() = default;
    [[nodiscard]] virtual ShellResult execute(const LaunchRequest& request) = 0;

    // A text as it comes back after a trip through the shell's narrow code
    // page. Where that code page is UTF-8 nothing changes; on Windows a
    // character the ANSI code page cannot hold comes back as its default
    // character.
    [[nodiscard]] virtual std::string narrowRoundTrip(const std::string& text) const {
        return text;
    }
};

} // namespace tallywick
