// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/FileSystemPort.h"

#include <optional>
#include <string>

namespace tallywick {

// The user's own lists folder: TALLYWICK in the user's documents folder,
// where an installed copy's launchers start the program.
//
// prepare() makes it when it is missing (and the documents folder too, when
// the desktop names one that is missing), then puts into it each delivered
// file it lacks: the three lists and the help text, from the delivered
// folder. So the first start fills it, and a file the user deleted comes back
// as delivered at the next start. Each copy is whole or absent: it is written
// under a hidden temporary name in the same folder, flushed to the disk and
// only then renamed to its own name, never replacing anything there; a start
// cut short (power, a full disk) leaves no half list, and the next start
// clears what it left. A file that is there is never overwritten, with one
// exception: a help text that is, unchanged, one an earlier version delivered
// is replaced by the delivered one (see DeliveredHelp.h).
//
// Launchers that prepare the same folder at once take turns (the folder's
// lock). Links are followed as a file manager follows them: the documents
// folder, the lists folder and each file may be links to what they should
// be. Anything else in the way (a file where the folder should be, a folder
// or a device of a list's name, a link that leads nowhere, a folder the user
// may not write in when something is missing) is reported, naming the folder,
// and nothing is changed.
class ListFolder {
public:
    // documentsFolder: absolute, as the desktop names it; deliveredFolder:
    // where the installed lists and help text are.
    ListFolder(FileSystemPort& files, std::string documentsFolder, std::string deliveredFolder);

    // The lists folder's path.
    [[nodiscard]] const std::string& path() const noexcept { return path_; }

    // Nothing when the folder is ready for the program; otherwise the
    // message for the user, which names the folder and says what is wrong.
    [[nodiscard]] std::optional<std::string> prepare();

    // The temporary name a copy of file is written under before it gets its
    // own: hidden, and the same at every start, so that one left by a start
    // cut short is found and removed.
    [[nodiscard]] static std::string partialName(std::string_view file);

private:
    [[nodiscard]] std::optional<std::string> makeDocumentsFolder();
    [[nodiscard]] std::optional<std::string> makeListFolder();
    [[nodiscard]] std::optional<std::string> putDeliveredFile(std::string_view name);
    [[nodiscard]] std::optional<std::string> copyIn(std::string_view name,
                                                    const std::string& target);
    void refreshHelp(const std::string& target);
    [[nodiscard]] std::string problem(std::string_view reason) const;

    FileSystemPort& files_;
    std::string documentsFolder_;
    std::string deliveredFolder_;
    std::string path_;
};

} // namespace tallywick
