// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "launch/ShellResult.h"
#include "ports/FileSystemPort.h"

#include <string>
#include <string_view>

// What the launcher tells the user, in one place for both systems. Each
// message that concerns the lists folder names it on a line of its own, then
// says what is wrong and, where the user can mend it, how.
namespace tallywick::LauncherMessages {

// A file-system fault as a phrase: "permission denied", "the disk is full".
[[nodiscard]] std::string faultPhrase(const FileOutcome& outcome);

// "TALLYWICK cannot prepare the folder of your lists:", the folder, the reason.
[[nodiscard]] std::string folderProblem(std::string_view folder, std::string_view reason);

// No documents folder is known; reason is the desktop's.
[[nodiscard]] std::string documentsFolderUnknown(std::string_view reason);

// The folder is ready but the program could not be started in it; reason
// is a sentence without its full stop.
[[nodiscard]] std::string cannotStart(std::string_view folder, std::string_view reason);

// The folder is ready but the file manager could not be opened on it.
[[nodiscard]] std::string cannotOpen(std::string_view folder, ShellResult result);

// Something the launcher did not foresee stopped it (the system could make no
// process, or ran out of memory); what says what.
[[nodiscard]] std::string unforeseen(std::string_view what);

// The launcher was given an argument it does not know.
[[nodiscard]] std::string unknownArgument(std::string_view argument);

} // namespace tallywick::LauncherMessages
