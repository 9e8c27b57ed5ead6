// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/ShellPort.h"

#include <chrono>
#include <string>

namespace tallywick {

// The shell launch service on Linux and macOS, answering with the result
// codes of the Windows shell:
// - a web address (any URI scheme) goes to the desktop's opener (xdg-open,
//   or open on macOS);
// - an executable file is started with its parameters split like a command
//   line; an application's desktop entry (a .desktop file) is started as
//   its Exec line says, with the files the parameters name; either in the
//   working folder is refused (5); any other existing file or folder goes
//   to the opener;
// - an empty or missing file gives 2, a missing folder on its path 3, an
//   operation other than "open" or no usable opener 31; success is above 32.
// Programs are started with posix_spawn, never through a shell, with no
// descriptor but the standard ones inherited and standard input from
// /dev/null; none is ever taken from the working folder, nor does any
// started program get a PATH that leads there (ProgramSearch.h). The
// opener's verdict is awaited for a short bound only; every started process
// is reaped when it ends, so none is left as a zombie.
class PosixShellService final : public ShellPort {
public:
    struct Options {
        std::chrono::milliseconds openerVerdictBound{1000};
        std::string opener; // empty: the platform's own
    };

    PosixShellService();
    explicit PosixShellService(Options options);

    [[nodiscard]] ShellResult execute(const LaunchRequest& request) override;

private:
    Options options_;
};

} // namespace tallywick
