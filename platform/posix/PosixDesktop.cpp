// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixDesktop.h"

#include "platform/posix/PosixShellService.h"
#include "platform/posix/ProgramOutput.h"
#include "platform/posix/ProgramSearch.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace tallywick {

namespace {

constexpr std::string_view kUserDirTool = "xdg-user-dir";
// It reads one small file of the user's; a hung network home is the only
// reason it could take long.
constexpr std::chrono::milliseconds kUserDirTimeout{10000};
constexpr std::size_t kPathLimit = std::size_t{64} * 1024;

} // namespace

PosixDesktop::PosixDesktop(std::string program) : program_(std::move(program)) {}

DocumentsFolder PosixDesktop::documentsFolder() {
    const auto tool = findProgram(kUserDirTool);
    if (!tool) {
        return {{}, "xdg-user-dir (of the xdg-user-dirs package) is not installed"};
    }
    ProgramOutput answer = runForOutput(*tool, {"DOCUMENTS"}, kUserDirTimeout, kPathLimit);
    if (!answer.finished) {
        return {{}, *tool + " DOCUMENTS failed: " + answer.failure};
    }
    // One line: the folder, as echo prints it.
    std::string& path = answer.output;
    if (!path.empty() && path.back() == '\n') {
        path.pop_back();
    }
    if (path.empty()) {
        return {{}, "no documents folder is set, and no home folder either (HOME is empty)"};
    }
    if (path.front() != '/' || path.find('\0') != std::string::npos) {
        return {{}, "xdg-user-dir names \"" + path + "\", which is no absolute path"};
    }
    return {path, {}};
}

std::optional<std::string> PosixDesktop::startProgram(const std::string& folder) {
    if (::chdir(folder.c_str()) != 0) {
        return std::string("The folder cannot be entered: ") + std::strerror(errno);
    }
    // Every descriptor of ours is close-on-exec: the program inherits none.
    char* const argv[] = {const_cast<char*>(program_.c_str()), nullptr};
    ::execve(program_.c_str(), argv, environ);
    return program_ + " cannot be run: " + std::strerror(errno);
}

ShellResult PosixDesktop::openFolder(const std::string& folder) {
    PosixShellService shell;
    LaunchRequest request;
    request.file = folder;
    return shell.execute(request);
}

} // namespace tallywick
