// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "platform/posix/KeyFile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// Where the desktop keeps its MIME associations and desktop entries, from
// the XDG base directory variables (and their defaults): each folder
// absolute, existing and outside the working folder, in precedence order.
struct XdgFolders {
    std::vector<std::string> config; // $XDG_CONFIG_HOME, then $XDG_CONFIG_DIRS
    std::vector<std::string> data;   // $XDG_DATA_HOME, then $XDG_DATA_DIRS
    // $XDG_CURRENT_DESKTOP's names, lower case, each usable in a file name.
    std::vector<std::string> desktops;

    [[nodiscard]] static XdgFolders fromEnvironment();
};

// The desktop's choice of application for a MIME type, as the freedesktop.org
// "Association between MIME types and applications" lays it down: the
// [Default Applications] of every mimeapps.list (desktop-specific ones
// first) in precedence order, then their [Added Associations], then what the
// applications claim (mimeinfo.cache), less the [Removed Associations] seen
// so far. Only an entry that can open the file counts (DesktopEntry.h).
class MimeAssociations {
public:
    explicit MimeAssociations(XdgFolders folders);

    // The path of the chosen application's desktop entry, or nothing.
    [[nodiscard]] std::optional<std::string> defaultApplication(std::string_view mimeType) const;

    // The desktop file IDs a list names for the type in one group; the type
    // is matched without regard to case, and an ID that is no plain file name
    // ending in ".desktop" is left out, so that none leads out of the
    // folders of desktop entries.
    [[nodiscard]] static std::vector<std::string>
    desktopIds(const KeyFile& list, std::string_view group, std::string_view mimeType);

private:
    [[nodiscard]] std::optional<std::string> entryPath(const std::string& desktopId) const;

    XdgFolders folders_;
};

} // namespace tallywick
