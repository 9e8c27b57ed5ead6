// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/LauncherMessages.h"

#include "base/ProductFacts.h"
#include "launch/ShellResultText.h"

namespace tallywick::LauncherMessages {

namespace {

// "TALLYWICK cannot <what>:" then the folder on a line of its own, then the
// reason: a path can be long, and the user may want to copy it.
std::string aboutFolder(std::string_view what, std::string_view folder, std::string_view reason) {
    std::string text(kProductName);
    text += " cannot ";
    text += what;
    text += ":\n\n";
    text += folder;
    text += "\n\n";
    text += reason;
    return text;
}

} // namespace

std::string faultPhrase(const FileOutcome& outcome) {
    switch (outcome.fault) {
    case FileFault::None:
        return "no error";
    case FileFault::NotFound:
        return "a folder on its way does not exist";
    case FileFault::AccessDenied:
        return "permission denied";
    case FileFault::ReadOnly:
        return "the disk is read-only";
    case FileFault::NoSpace:
        return "the disk is full";
    case FileFault::AlreadyExists:
        return "something of that name is in the way";
    case FileFault::TooLarge:
        return "it is too large";
    case FileFault::NotAFile:
        return "it is not a file";
    case FileFault::Other:
        break;
    }
    return outcome.systemText.empty() ? std::string("the system reports an error")
                                      : outcome.systemText;
}

std::string folderProblem(std::string_view folder, std::string_view reason) {
    return aboutFolder("prepare the folder of your lists", folder, reason);
}

std::string documentsFolderUnknown(std::string_view reason) {
    std::string text(kProductName);
    text += " keeps your lists in a folder of your documents folder, but cannot find your "
            "documents folder: ";
    text += reason;
    text += '.';
    return text;
}

std::string cannotStart(std::string_view folder, std::string_view reason) {
    std::string sentence(reason);
    sentence += '.';
    return aboutFolder("start in the folder of your lists", folder, sentence);
}

std::string cannotOpen(std::string_view folder, ShellResult result) {
    std::string reason;
    switch (result) {
    case ShellResult::NoAssociation:
        reason = "No file manager is set up to open folders.";
        break;
    case ShellResult::FileNotFound:
    case ShellResult::PathNotFound:
        reason = "The file manager did not find it.";
        break;
    default: {
        const std::string_view text = shellResultText(result);
        reason = text.empty() ? "The desktop refused to open it (error " +
                                    std::to_string(static_cast<int>(result)) + ")."
                              : std::string(text) + ".";
    }
    }
    return aboutFolder("open the folder of your lists", folder, reason);
}

std::string unforeseen(std::string_view what) {
    std::string text(kProductName);
    text += " cannot start: ";
    text += what;
    text += '.';
    return text;
}

std::string unknownArgument(std::string_view argument) {
    std::string text("The ");
    text += kProductName;
    text += " launcher takes no argument but --open-folder, not \"";
    text += argument;
    text += "\".";
    return text;
}

} // namespace tallywick::LauncherMessages
