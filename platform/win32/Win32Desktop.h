// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/DesktopPort.h"

#include <string>

namespace tallywick {

// The desktop port on Windows:
// - the documents folder is the Documents known folder, wherever the user or
//   an administrator redirected it (another drive, a network share, OneDrive);
// - the program is started by its absolute path, as a new process with the
//   folder as its working folder and the way the shortcut asked for its
//   window (normal, minimised, maximised);
// - the folder is opened as Explorer opens a folder.
class Win32Desktop final : public DesktopPort {
public:
    // program: the absolute path of the program the launcher starts.
    explicit Win32Desktop(std::string program);

    [[nodiscard]] DocumentsFolder documentsFolder() override;
    [[nodiscard]] std::optional<std::string> startProgram(const std::string& folder) override;
    [[nodiscard]] ShellResult openFolder(const std::string& folder) override;

private:
    std::string program_;
};

} // namespace tallywick
