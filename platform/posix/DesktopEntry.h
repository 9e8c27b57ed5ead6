// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/posix/ExecLine.h"
#include "platform/posix/KeyFile.h"

#include <optional>
#include <string>
#include <vector>

namespace tallywick {

// An application's desktop entry, as far as opening a file with it goes: the
// program it starts and how. Only an entry that can open a file in a window
// of its own is one: Type=Application, not Hidden, an Exec line that takes
// files, no Terminal=true (a terminal of the desktop's choosing cannot be
// found for certain), and a program, and TryExec's if given, found as every
// program is (ProgramSearch.h), never in the working folder. NoDisplay and
// OnlyShowIn concern menus, not opening files; Path is not followed, since
// files are handed over by absolute path.
class DesktopEntry {
public:
    [[nodiscard]] static std::optional<DesktopEntry> fromKeyFile(const KeyFile& file,
                                                                 const std::string& location);
    // The entry in that file, which must lie outside the working folder.
    [[nodiscard]] static std::optional<DesktopEntry> load(const std::string& path);

    // The commands that open the files, each with the program's absolute
    // path first.
    [[nodiscard]] std::vector<std::vector<std::string>>
    commands(const std::vector<std::string>& files) const;

private:
    DesktopEntry(ExecLine exec, ExecLine::Entry facts, std::string program)
        : exec_(std::move(exec)), facts_(std::move(facts)), program_(std::move(program)) {}

    ExecLine exec_;
    ExecLine::Entry facts_;
    std::string program_;
};

} // namespace tallywick
