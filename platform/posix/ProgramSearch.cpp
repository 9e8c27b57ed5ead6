// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ProgramSearch.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tallywick {

namespace {

struct FolderId {
    dev_t device;
    ino_t inode;
    bool operator==(const FolderId&) const = default;
};

std::optional<FolderId> idOf(const std::string& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return FolderId{status.st_dev, status.st_ino};
}

// The path with every link resolved, or nothing when it does not resolve.
std::optional<std::string> resolved(const std::string& path) {
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr),
                                                           &std::free);
    return real ? std::optional<std::string>(real.get()) : std::nullopt;
}

// Whether a step of the path as written, each resolved as the system
// resolves it, or a folder above where it ends up is the given folder.
bool reaches(const std::string& path, const FolderId& folder) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        if (idOf(path.substr(0, slash)) == folder) {
            return true;
        }
    }
    const std::optional<std::string> real = resolved(path);
    if (!real) {
        return true; // nowhere we can vouch for
    }
    for (std::string above = *real; !above.empty(); above.resize(above.find_last_of('/'))) {
        if (idOf(above) == folder) {
            return true;
        }
    }
    return idOf("/") == folder;
}

// The system's own program folders, as the C library names them.
std::string systemPath() {
    const std::size_t size = ::confstr(_CS_PATH, nullptr, 0);
    if (size == 0) {
        return "/usr/bin:/bin";
    }
    std::string path(size, '\0');
    ::confstr(_CS_PATH, path.data(), size);
    path.resize(size - 1);
    return path;
}

std::vector<std::string> usableFolders(std::string_view folders) {
    std::vector<std::string> kept;
    while (!folders.empty()) {
        const auto colon = folders.find(':');
        const std::string folder(folders.substr(0, colon));
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
        // An empty entry, ".", or any relative one would search the working
        // folder (or one below it).
        struct stat status {};
        if (!liesOutsideWorkingFolder(folder) || ::stat(folder.c_str(), &status) != 0 ||
            !S_ISDIR(status.st_mode)) {
            continue;
        }
        // Handed on resolved, so that what a child searches is what was checked.
        if (auto real = resolved(folder);
            real && std::find(kept.begin(), kept.end(), *real) == kept.end()) {
            kept.push_back(std::move(*real));
        }
    }
    return kept;
}

} // namespace

bool liesOutsideWorkingFolder(std::string_view path) {
    if (!path.starts_with('/')) {
        return false;
    }
    const std::optional<FolderId> working = idOf(".");
    if (!working) {
        return false;
    }
    if (working == idOf("/")) {
        // Started in the root folder (as some desktops start programs), the
        // working folder is the system's own, where only the administrator
        // writes: the root folder itself stays out of the search, not the
        // whole system below it, without which nothing could ever start.
        const std::optional<std::string> real = resolved(std::string(path));
        struct stat status {};
        return real && *real != "/" && ::stat(real->c_str(), &status) == 0 &&
               (S_ISDIR(status.st_mode) || real->find_last_of('/') != 0);
    }
    return !reaches(std::string(path), *working);
}

std::vector<std::string> programFolders(const char* pathValue) {
    if (pathValue == nullptr) {
        return usableFolders(systemPath());
    }
    return usableFolders(pathValue);
}

std::string childSearchPath(const char* pathValue) {
    std::vector<std::string> folders = programFolders(pathValue);
    if (folders.empty()) {
        folders = usableFolders(systemPath());
    }
    std::string joined;
    for (const std::string& folder : folders) {
        joined += joined.empty() ? "" : ":";
        joined += folder;
    }
    return joined;
}

std::optional<std::string> findProgram(std::string_view name) {
    if (name.empty() || (name.find('/') != std::string_view::npos && !name.starts_with('/'))) {
        return std::nullopt;
    }
    const auto usable = [](const std::string& path) {
        return isExecutableFile(path) && liesOutsideWorkingFolder(path);
    };
    if (name.starts_with('/')) {
        const std::string path(name);
        return usable(path) ? std::optional(path) : std::nullopt;
    }
    for (const std::string& folder : programFolders(std::getenv("PATH"))) {
        std::string candidate = folder + "/";
        candidate += name;
        // Also a link from a folder on PATH to a file in the working folder.
        if (usable(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

bool isExecutableFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::string absolutePath(const std::string& path) {
    if (path.starts_with('/')) {
        return path;
    }
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return path;
        }
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data()) + "/" + path;
}

} // namespace tallywick
