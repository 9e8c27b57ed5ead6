// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/Launcher.h"

#include "listfolder/LauncherMessages.h"
#include "listfolder/ListFolder.h"

#include <exception>
#include <utility>

namespace tallywick {

namespace {

constexpr std::string_view kOpenFolder = "--open-folder";

} // namespace

Launcher::Launcher(FileSystemPort& files, DesktopPort& desktop, MessageBoxPort& boxes,
                   std::string deliveredFolder)
    : files_(files), desktop_(desktop), boxes_(boxes),
      deliveredFolder_(std::move(deliveredFolder)) {}

int Launcher::run(const std::vector<std::string>& arguments) {
    // Whatever the system throws at the launcher is told, not a crash.
    try {
        return prepareAndStart(arguments);
    } catch (const std::exception& e) {
        return fail(LauncherMessages::unforeseen(e.what()));
    }
}

int Launcher::prepareAndStart(const std::vector<std::string>& arguments) {
    const bool openFolder = arguments.size() == 1 && arguments.front() == kOpenFolder;
    if (!arguments.empty() && !openFolder) {
        fail(LauncherMessages::unknownArgument(
            arguments.front() == kOpenFolder ? arguments.back() : arguments.front()));
        return kUsage;
    }

    const DocumentsFolder documents = desktop_.documentsFolder();
    if (documents.path.empty()) {
        return fail(LauncherMessages::documentsFolderUnknown(documents.failure));
    }
    ListFolder folder(files_, documents.path, deliveredFolder_);
    if (auto problem = folder.prepare()) {
        return fail(*problem);
    }

    if (openFolder) {
        const ShellResult opened = desktop_.openFolder(folder.path());
        return shellSucceeded(opened) ? kDone
                                      : fail(LauncherMessages::cannotOpen(folder.path(), opened));
    }
    if (auto failure = desktop_.startProgram(folder.path())) {
        return fail(LauncherMessages::cannotStart(folder.path(), *failure));
    }
    return kDone;
}

int Launcher::fail(const std::string& text) {
    boxes_.show(MessageBoxRequest{text, std::nullopt, BoxStyle::IconError});
    return kFailed;
}

} // namespace tallywick
