// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ProgramSearch.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace tallywick {

namespace {

// Where programs are looked for when PATH is not set, as the C library's own
// default.
constexpr std::string_view kDefaultPath = "/usr/local/bin:/usr/bin:/bin";

} // namespace

// Calls visit with each absolute folder of a PATH value until it returns true.
template <typename Visit> bool forEachAbsoluteFolder(std::string_view folders, Visit visit) {
    while (!folders.empty()) {
        const auto colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
        // An empty entry, ".", or any relative one would search the working
        // folder (or one below it).
        if (folder.starts_with('/') && visit(folder)) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> findProgram(std::string_view name) {
    if (name.empty()) {
        return std::nullopt;
    }
    if (name.find('/') != std::string_view::npos) {
        const std::string path(name);
        return isExecutableFile(path) ? std::optional(absolutePath(path)) : std::nullopt;
    }
    const char* path = std::getenv("PATH");
    std::optional<std::string> found;
    forEachAbsoluteFolder(path != nullptr ? std::string_view(path) : kDefaultPath,
                          [&](std::string_view folder) {
                              std::string candidate(folder);
                              candidate += '/';
                              candidate += name;
                              if (isExecutableFile(candidate)) {
                                  found = std::move(candidate);
                              }
                              return found.has_value();
                          });
    return found;
}

std::string absoluteSearchPath(std::string_view path) {
    std::string kept;
    forEachAbsoluteFolder(path, [&kept](std::string_view folder) {
        kept += kept.empty() ? "" : ":";
        kept += folder;
        return false;
    });
    return kept;
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
