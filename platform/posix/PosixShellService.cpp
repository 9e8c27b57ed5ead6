// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixShellService.h"

#include "base/RunTimeError.h"
#include "launch/CommandLine.h"
#include "platform/posix/DesktopEntry.h"
#include "platform/posix/ProgramSearch.h"
#include "platform/posix/SpawnSetup.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <memory>
#include <optional>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tallywick {

namespace {

#if defined(__APPLE__)
constexpr const char* kPlatformOpener = "open";
#else
constexpr const char* kPlatformOpener = "xdg-open";
#endif

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// "https://...", "mailto:...": a scheme of two or more characters, so that a
// Windows drive letter ("c:\...") is not taken for one.
bool isUri(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2) {
        return false;
    }
    const auto alpha = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    };
    if (!alpha(text[0])) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = text[i];
        if (!alpha(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

bool isFolder(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

struct Spawned {
    int error = 0;
    std::shared_future<int> exitStatus; // valid when error == 0
};

// Waits for the child on a thread of its own, so that it is reaped the
// moment it ends, however long that takes, and the window never waits.
std::shared_future<int> reapWhenDone(pid_t pid) {
    auto status = std::make_shared<std::promise<int>>();
    std::shared_future<int> future = status->get_future().share();
    try {
        std::thread([pid, status] {
            int raw = 0;
            pid_t got = -1;
            do {
                got = ::waitpid(pid, &raw, 0);
            } while (got < 0 && errno == EINTR);
            // With SIGCHLD ignored the system reaps it and no status is left.
            status->set_value(got == pid ? raw : 0);
        }).detach();
    } catch (const std::system_error&) {
        int raw = 0;
        ::waitpid(pid, &raw, 0);
        status->set_value(raw);
    }
    return future;
}

// Our environment for a started program, with PATH replaced by the folders
// we search ourselves, set even where ours is not: the opener runs in the
// user's list folder and looks up helper programs of its own on PATH.
class ChildEnvironment {
public:
    explicit ChildEnvironment(const std::string& searchPath) : path_("PATH=" + searchPath) {
        pointers_.push_back(path_.data());
        for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
            if (!std::string_view(*entry).starts_with("PATH=")) {
                pointers_.push_back(*entry);
            }
        }
        pointers_.push_back(nullptr);
    }
    [[nodiscard]] char* const* get() const { return pointers_.data(); }

private:
    std::string path_;
    std::vector<char*> pointers_;
};

Spawned spawn(const std::string& program, const std::vector<std::string>& arguments,
              const std::optional<std::string>& folder, const std::string& searchPath) {
    const SpawnSetup setup(folder);
    std::vector<char*> argv = argumentVector(program, arguments);
    const ChildEnvironment environment(searchPath);
    pid_t pid = -1;
    const int error = ::posix_spawn(&pid, program.c_str(), setup.actions(), setup.attributes(),
                                    argv.data(), environment.get());
    if (error != 0) {
        return {error, {}};
    }
    return {0, reapWhenDone(pid)};
}

ShellResult spawnFailure(int error, const std::string& program) {
    switch (error) {
    case ENOENT:
        return ShellResult::FileNotFound;
    case ENOTDIR:
        return ShellResult::PathNotFound;
    case EACCES:
    case EPERM:
        return ShellResult::AccessDenied;
    case ENOEXEC:
        return ShellResult::BadFormat;
    case ENOMEM:
    case EAGAIN:
        // No process could be made at all: not a refusal but a failure of
        // the launch itself.
        throw RunTimeError(ErrorNumber::OutOfMemory,
                           std::string(errorDescription(ErrorNumber::OutOfMemory)) +
                               ": cannot start " + program);
    default:
        return ShellResult::OutOfResources;
    }
}

// What the file text names, relative to the program's working folder.
struct ResolvedFile {
    std::optional<ShellResult> failure; // when nothing was found
    std::string path;
};

ResolvedFile resolveFile(const std::string& file) {
    // A bare name is a program on PATH, never a file of the working folder.
    if (file.find('/') == std::string::npos) {
        if (auto program = findProgram(file)) {
            return {std::nullopt, *program};
        }
        return {ShellResult::FileNotFound, {}};
    }
    struct stat status {};
    if (::stat(file.c_str(), &status) == 0) {
        return {std::nullopt, absolutePath(file)};
    }
    switch (errno) {
    case ENOENT: {
        const auto slash = file.find_last_of('/');
        const std::string folder = slash == 0 ? "/" : file.substr(0, slash);
        return {isFolder(folder) ? ShellResult::FileNotFound : ShellResult::PathNotFound, {}};
    }
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG:
        return {ShellResult::PathNotFound, {}};
    case EACCES:
        return {ShellResult::AccessDenied, {}};
    default:
        return {ShellResult::FileNotFound, {}};
    }
}

// A file handed to a program: by its absolute path, so that it can never read
// as an option, and from wherever the program starts.
std::string fileArgument(const std::string& file, const std::optional<std::string>& folder) {
    if (isUri(file) || file.starts_with('/')) {
        return file;
    }
    return folder ? *folder + "/" + file : absolutePath(file);
}

bool isDesktopEntryFile(const std::string& path) {
    struct stat status {};
    return path.ends_with(".desktop") && ::stat(path.c_str(), &status) == 0 &&
           S_ISREG(status.st_mode);
}

// Starts an application as its desktop entry says, the parameter text split
// like a command line giving the files it opens.
ShellResult startDesktopEntry(const std::string& path, const std::string& parameters,
                              const std::optional<std::string>& folder,
                              const std::string& searchPath) {
    const auto entry = DesktopEntry::load(path);
    if (!entry) {
        return ShellResult::NoAssociation;
    }
    std::vector<std::string> files = splitCommandLine(parameters);
    for (std::string& file : files) {
        file = fileArgument(file, folder);
    }
    for (const std::vector<std::string>& command : entry->commands(files)) {
        const std::vector<std::string> arguments(command.begin() + 1, command.end());
        const Spawned started = spawn(command.front(), arguments, folder, searchPath);
        if (started.error != 0) {
            return spawnFailure(started.error, command.front());
        }
    }
    return ShellResult::Launched;
}

ShellResult openerVerdict(int rawStatus) {
    if (!WIFEXITED(rawStatus)) {
        return ShellResult::NoAssociation;
    }
    switch (WEXITSTATUS(rawStatus)) {
    case 0:
        return ShellResult::Launched;
    case 2:
        return ShellResult::FileNotFound;
    default: // 3: no handler; 4: the handler failed; 1: refused argument
        return ShellResult::NoAssociation;
    }
}

} // namespace

PosixShellService::PosixShellService() : PosixShellService(Options{}) {}

PosixShellService::PosixShellService(Options options) : options_(std::move(options)) {
    if (options_.opener.empty()) {
        options_.opener = kPlatformOpener;
    }
}

ShellResult PosixShellService::execute(const LaunchRequest& request) {
    if (request.operation && !request.operation->empty() &&
        !equalsIgnoringCase(*request.operation, "open")) {
        return ShellResult::NoAssociation;
    }
    if (request.file.empty()) {
        return ShellResult::FileNotFound;
    }
    // Started from "/" or a system folder, every program folder lies in the
    // list folder: nothing may be started from there.
    const std::string searchPath = childSearchPath(std::getenv("PATH"));
    if (searchPath.empty()) {
        return ShellResult::NoAssociation;
    }
    // A directory text that names no folder (a Windows path, "0") is ignored:
    // the child then starts in our own working folder.
    const std::optional<std::string> folder =
        isFolder(request.directory) ? std::optional(absolutePath(request.directory)) : std::nullopt;

    std::string target;
    if (isUri(request.file)) {
        target = request.file;
    } else {
        ResolvedFile resolved = resolveFile(request.file);
        if (resolved.failure) {
            return *resolved.failure;
        }
        const bool launcher = isDesktopEntryFile(resolved.path);
        const bool program = !launcher && isExecutableFile(resolved.path);
        // Not even named by its path does a program of the list folder run.
        if ((launcher || program) && !liesOutsideWorkingFolder(resolved.path)) {
            return ShellResult::AccessDenied;
        }
        if (launcher) {
            return startDesktopEntry(resolved.path, request.parameters.value_or(std::string()),
                                     folder, searchPath);
        }
        if (program) {
            const auto arguments = splitCommandLine(request.parameters.value_or(std::string()));
            const Spawned started = spawn(resolved.path, arguments, folder, searchPath);
            return started.error == 0 ? ShellResult::Launched
                                      : spawnFailure(started.error, resolved.path);
        }
        target = std::move(resolved.path);
    }

    const auto opener = findProgram(options_.opener);
    if (!opener) {
        return ShellResult::NoAssociation;
    }
    const Spawned started = spawn(*opener, {target}, folder, searchPath);
    if (started.error != 0) {
        const ShellResult failure = spawnFailure(started.error, *opener);
        return failure == ShellResult::FileNotFound ? ShellResult::NoAssociation : failure;
    }
    // The opener waits for the program it starts: its verdict is awaited for
    // a short while only, and one still running then has handed over.
    if (started.exitStatus.wait_for(options_.openerVerdictBound) != std::future_status::ready) {
        return ShellResult::Launched;
    }
    return openerVerdict(started.exitStatus.get());
}

} // namespace tallywick
