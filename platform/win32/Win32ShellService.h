// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/ShellPort.h"

namespace tallywick {

// The shell launch service on Windows: ShellExecuteA itself. The request's
// UTF-8 texts are handed over in the ANSI code page (UTF-8 -> UTF-16 -> ANSI),
// so a character that code page cannot hold reaches the shell as its default
// character, and narrowRoundTrip() makes the same trip there and back.
class Win32ShellService final : public ShellPort {
public:
    [[nodiscard]] ShellResult execute(const LaunchRequest& request) override;
    [[nodiscard]] std::string narrowRoundTrip(const std::string& text) const override;
};

} // namespace tallywick
