// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/DesktopPort.h"

#include <string>

namespace tallywick {

// The desktop port on Linux and other freedesktop.org systems:
// - the documents folder is what `xdg-user-dir DOCUMENTS` prints (the home
//   folder when none is set), xdg-user-dir found on PATH's absolute folders;
// - the program is started by exec in the folder, so that the desktop sees
//   the program it started as its own process;
// - the folder is opened with the desktop's opener, as the program opens
//   everything (PosixShellService: xdg-open, no shell).
class PosixDesktop final : public DesktopPort {
public:
    // program: the absolute path of the program the launcher starts.
    explicit PosixDesktop(std::string program);

    [[nodiscard]] DocumentsFolder documentsFolder() override;
    [[nodiscard]] std::optional<std::string> startProgram(const std::string& folder) override;
    [[nodiscard]] ShellResult openFolder(const std::string& folder) override;

private:
    std::string program_;
};

} // namespace tallywick
