// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/ListFolder.h"

#include "base/ProductFacts.h"
#include "listfolder/DeliveredHelp.h"
#include "listfolder/LauncherMessages.h"

#include <utility>

namespace tallywick {

namespace {

// The delivered help text is read whole to be compared; no help text is
// anywhere near this large.
constexpr std::size_t kHelpReadLimit = std::size_t{16} * 1024 * 1024;

// What is in the way where a folder should be, as a sentence.
std::string notAFolder(PathKind kind, std::string_view what) {
    std::string text(what);
    switch (kind) {
    case PathKind::File:
        text += " is a file, not a folder.";
        break;
    case PathKind::BrokenLink:
        text += " is a link that leads nowhere.";
        break;
    case PathKind::Unreachable:
        text += " cannot be opened: permission denied, or a file on its way.";
        break;
    default:
        text += " is a device or a pipe, not a folder.";
        break;
    }
    return text;
}

} // namespace

ListFolder::ListFolder(FileSystemPort& files, std::string documentsFolder,
                       std::string deliveredFolder)
    : files_(files), documentsFolder_(std::move(documentsFolder)),
      deliveredFolder_(std::move(deliveredFolder)),
      // The folder is named after the program.
      path_(joinPath(files, documentsFolder_, kProductName)) {}

std::string ListFolder::partialName(std::string_view file) {
    std::string name(".");
    name += file;
    name += ".tallywick-partial";
    return name;
}

std::optional<std::string> ListFolder::prepare() {
    if (auto failure = makeDocumentsFolder()) {
        return failure;
    }
    if (auto failure = makeListFolder()) {
        return failure;
    }
    const std::unique_ptr<FolderLock> lock = files_.lockFolder(path_);
    // Under the lock no other launcher is writing: a partial copy found now
    // was left by a start cut short.
    for (const std::string_view name : kListFileNames) {
        files_.removeFile(joinPath(files_, path_, partialName(name)));
    }
    files_.removeFile(joinPath(files_, path_, partialName(kHelpFileName)));

    for (const std::string_view name : kListFileNames) {
        if (auto failure = putDeliveredFile(name)) {
            return failure;
        }
    }
    return putDeliveredFile(kHelpFileName);
}

std::optional<std::string> ListFolder::makeDocumentsFolder() {
    const PathKind kind = files_.kindOf(documentsFolder_);
    if (kind == PathKind::Folder) {
        return std::nullopt;
    }
    if (kind != PathKind::Missing) {
        return problem(notAFolder(kind, "Your documents folder " + documentsFolder_));
    }
    // The desktop names it, so it is the user's: made as the file manager
    // would, one level only.
    const FileOutcome made = files_.makeFolder(documentsFolder_);
    if (!made.ok() && files_.kindOf(documentsFolder_) != PathKind::Folder) {
        return problem(
            "Your documents folder " + documentsFolder_ +
            " does not exist and cannot be made: " + LauncherMessages::faultPhrase(made) + ".");
    }
    return std::nullopt;
}

std::optional<std::string> ListFolder::makeListFolder() {
    const PathKind kind = files_.kindOf(path_);
    if (kind == PathKind::Folder) {
        return std::nullopt;
    }
    if (kind == PathKind::File) {
        return problem("There is a file of that name. Rename or move the file, and the folder is "
                       "made at the next start.");
    }
    if (kind != PathKind::Missing) {
        return problem(notAFolder(kind, "It"));
    }
    const FileOutcome made = files_.makeFolder(path_);
    // Another launcher may have made it in the meantime.
    if (!made.ok() && files_.kindOf(path_) != PathKind::Folder) {
        return problem("The folder cannot be made: " + LauncherMessages::faultPhrase(made) + ".");
    }
    return std::nullopt;
}

std::optional<std::string> ListFolder::putDeliveredFile(std::string_view name) {
    const std::string target = joinPath(files_, path_, name);
    switch (files_.kindOf(target)) {
    case PathKind::File:
        if (name == kHelpFileName) {
            refreshHelp(target);
        }
        return std::nullopt;
    case PathKind::Missing:
        return copyIn(name, target);
    case PathKind::Folder:
        return problem(std::string(name) +
                       " in it is a folder, where the program needs a file of that name. Move "
                       "that folder away, and the delivered file is put in its place at the "
                       "next start.");
    case PathKind::BrokenLink:
        return problem(std::string(name) +
                       " in it is a link that leads nowhere. Remove the link, and the delivered "
                       "file is put in its place at the next start.");
    case PathKind::Other:
        return problem(std::string(name) +
                       " in it is a device or a pipe, where the program needs a file of that "
                       "name. Move it away, and the delivered file is put in its place at the "
                       "next start.");
    case PathKind::Unreachable:
        break;
    }
    return problem(std::string(name) + " in it cannot be looked at: permission denied.");
}

std::optional<std::string> ListFolder::copyIn(std::string_view name, const std::string& target) {
    const std::string source = joinPath(files_, deliveredFolder_, name);
    if (files_.kindOf(source) != PathKind::File) {
        return problem("The delivered " + std::string(name) + " is missing from " +
                       deliveredFolder_ + ". Install " + std::string(kProductName) + " again.");
    }
    const std::string partial = joinPath(files_, path_, partialName(name));
    FileOutcome outcome = files_.copyToNewFile(source, partial);
    if (outcome.ok()) {
        outcome = files_.renameFile(partial, target, false);
        // Another launcher put one there first: that one stays.
        if (outcome.fault == FileFault::AlreadyExists) {
            files_.removeFile(partial);
            return std::nullopt;
        }
    }
    if (!outcome.ok()) {
        files_.removeFile(partial);
        return problem(std::string(name) + " cannot be copied into it: " +
                       LauncherMessages::faultPhrase(outcome) + ".");
    }
    return std::nullopt;
}

// A help text the user never changed gives way to the delivered one. Any
// failure leaves the older text where it is: it still helps.
void ListFolder::refreshHelp(const std::string& target) {
    std::string present;
    if (!files_.readFile(target, DeliveredHelp::largestSize(), present).ok() ||
        !DeliveredHelp::isDelivered(present)) {
        return;
    }
    const std::string source = joinPath(files_, deliveredFolder_, kHelpFileName);
    std::string delivered;
    if (!files_.readFile(source, kHelpReadLimit, delivered).ok() || delivered == present) {
        return;
    }
    const std::string partial = joinPath(files_, path_, partialName(kHelpFileName));
    if (!files_.copyToNewFile(source, partial).ok() ||
        !files_.renameFile(partial, target, true).ok()) {
        files_.removeFile(partial);
    }
}

std::string ListFolder::problem(std::string_view reason) const {
    return LauncherMessages::folderProblem(path_, reason);
}

} // namespace tallywick
