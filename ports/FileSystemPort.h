// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tallywick {

// What a path leads to, links followed as a file manager follows them.
enum class PathKind {
    Missing,    // nothing of that name (or a folder on the way is missing)
    Folder,     // a folder, or a link that leads to one
    File,       // a regular file, or a link that leads to one
    Other,      // a device, a FIFO, a socket
    BrokenLink, // a link that leads nowhere (or round in a loop)
    Unreachable // it cannot be looked at: permission denied on the way, or a file on the way
};

// Why a file-system call failed. Each has its own words in the launcher's
// messages; Other carries the system's own text.
enum class FileFault {
    None,
    NotFound,      // the name, or a folder on its path, is missing
    AccessDenied,  // not permitted
    ReadOnly,      // a read-only file system
    NoSpace,       // the disk (or the user's quota) is full
    AlreadyExists, // there is something of that name already
    TooLarge,      // more bytes than the caller's limit
    NotAFile,      // a folder, a device or something else that is no regular file
    Other,
};

struct FileOutcome {
    FileFault fault = FileFault::None;
    std::string systemText; // the system's words for an Other fault

    [[nodiscard]] bool ok() const noexcept { return fault == FileFault::None; }
};

// Held until destroyed: while one process holds a folder's lock, another
// process asking for it waits.
class FolderLock {
public:
    virtual ~FolderLock() = default;
};

// The few file-system calls that preparing the user's lists folder needs,
// named by full paths in UTF-8. Nothing here follows a link when it writes:
// a file is created only where nothing of its name exists.
class FileSystemPort {
public:
    virtual ~FileSystemPort() = default;

    // What separates a folder from a name inside it: '/' or '\\'.
    [[nodiscard]] virtual char separator() const noexcept = 0;

    [[nodiscard]] virtual PathKind kindOf(const std::string& path) = 0;

    // Makes one folder (its parent must exist), with the permissions a new
    // folder of the user's gets.
    [[nodiscard]] virtual FileOutcome makeFolder(const std::string& path) = 0;

    // Copies the regular file source to destination, a name that must not
    // exist yet (AlreadyExists otherwise, also for a link), and flushes the
    // copy to the disk before it returns. On a failure whatever part of the
    // copy exists is left for the caller to remove.
    [[nodiscard]] virtual FileOutcome copyToNewFile(const std::string& source,
                                                    const std::string& destination) = 0;

    // Reads a regular file whole into bytes; TooLarge beyond limit bytes.
    [[nodiscard]] virtual FileOutcome readFile(const std::string& path, std::size_t limit,
                                               std::string& bytes) = 0;

    // Gives the file from the name to, at once. Without replace, to must not
    // exist (AlreadyExists otherwise, whatever it is): nothing there is ever
    // replaced, even by a process that makes it in the meantime.
    [[nodiscard]] virtual FileOutcome renameFile(const std::string& from, const std::string& to,
                                                 bool replace) = 0;

    // Removes a file or a link (never what a link leads to), never a folder.
    virtual FileOutcome removeFile(const std::string& path) = 0;

    // Locks the folder against other processes that lock it, waiting for
    // them; nothing when the system cannot lock it (the caller goes on).
    [[nodiscard]] virtual std::unique_ptr<FolderLock> lockFolder(const std::string& path) = 0;
};

// folder and name joined by the system's separator.
[[nodiscard]] inline std::string joinPath(const FileSystemPort& files, std::string_view folder,
                                          std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != files.separator()) {
        path += files.separator();
    }
    path += name;
    return path;
}

} // namespace tallywick
