// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "launch/ShellResult.h"

#include <optional>
#include <string>

namespace tallywick {

// The user's documents folder as the desktop knows it, or why it is not known.
struct DocumentsFolder {
    std::string path;    // absolute; empty when unknown
    std::string failure; // when unknown: the reason, a phrase ("xdg-user-dir is not installed")
};

// What the launcher asks of the desktop: where the user's documents are, and
// starting the program or the file manager in the user's lists folder.
class DesktopPort {
public:
    virtual ~DesktopPort() = default;

    // Linux: what `xdg-user-dir DOCUMENTS` prints (the home folder when no
    // documents folder is set). Windows: the Documents known folder, wherever
    // it is redirected.
    [[nodiscard]] virtual DocumentsFolder documentsFolder() = 0;

    // Starts the program with folder as its working folder. Where the system
    // can, this process becomes the program, so that the desktop sees the
    // program it started; then this returns only on a failure. Nothing once
    // the program is started; otherwise the reason, a phrase.
    [[nodiscard]] virtual std::optional<std::string> startProgram(const std::string& folder) = 0;

    // Opens folder in the desktop's file manager.
    [[nodiscard]] virtual ShellResult openFolder(const std::string& folder) = 0;
};

} // namespace tallywick
