// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/DesktopPort.h"
#include "ports/FileSystemPort.h"
#include "ports/MessageBoxPort.h"

#include <string>
#include <vector>

namespace tallywick {

// The launcher behind every menu entry and shortcut of an installed copy, the
// same on every system:
//   (no argument)    prepares the user's lists folder (ListFolder) and starts
//                    the program in it;
//   --open-folder    prepares it and opens it in the file manager.
// Whatever goes wrong is shown in a message box that names the folder and the
// reason, and nothing is started.
class Launcher {
public:
    // Exit codes: started (or opened), a failure the user was told of, an
    // argument the launcher does not know.
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;

    Launcher(FileSystemPort& files, DesktopPort& desktop, MessageBoxPort& boxes,
             std::string deliveredFolder);

    // arguments: those after the launcher's own name. Where the desktop port
    // replaces this process by the program, this returns only on a failure.
    [[nodiscard]] int run(const std::vector<std::string>& arguments);

private:
    int prepareAndStart(const std::vector<std::string>& arguments);
    int fail(const std::string& text);

    FileSystemPort& files_;
    DesktopPort& desktop_;
    MessageBoxPort& boxes_;
    std::string deliveredFolder_;
};

} // namespace tallywick
