// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixFileSystem.h"

#include "platform/posix/Descriptor.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallywick {

namespace {

FileOutcome faultOf(int error) {
    switch (error) {
    case 0:
        return {};
    case ENOENT:
    case ENOTDIR:
        return {FileFault::NotFound, {}};
    case EACCES:
    case EPERM:
        return {FileFault::AccessDenied, {}};
    case EROFS:
        return {FileFault::ReadOnly, {}};
    case ENOSPC:
    case EDQUOT:
        return {FileFault::NoSpace, {}};
    case EEXIST:
        return {FileFault::AlreadyExists, {}};
    case EISDIR:
        return {FileFault::NotAFile, {}};
    default:
        return {FileFault::Other, std::strerror(error)};
    }
}

FileOutcome lastFault() {
    return faultOf(errno);
}

int openRetrying(const char* path, int flags, mode_t mode = 0) {
    int fd = -1;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

// Opens a regular file for reading; anything else of that name is refused
// without being opened (Descriptor.h).
FileOutcome openRegularFile(const std::string& path, Descriptor& fd) {
    const RegularFileOpen opened = tallywick::openRegularFile(path);
    if (opened.notRegular) {
        return {FileFault::NotAFile, {}};
    }
    fd.reset(opened.fd);
    return faultOf(opened.error);
}

ssize_t readRetrying(int fd, char* buffer, std::size_t size) {
    ssize_t got = -1;
    do {
        got = ::read(fd, buffer, size);
    } while (got < 0 && errno == EINTR);
    return got;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Reads the open file to its end in pieces, handing each to take, which
// answers a fault that stops the reading, or an ok outcome to go on.
template <typename Take> FileOutcome readPieces(int fd, Take take) {
    std::array<char, std::size_t{64} * 1024> buffer{};
    for (;;) {
        const ssize_t got = readRetrying(fd, buffer.data(), buffer.size());
        if (got < 0) {
            return lastFault();
        }
        if (got == 0) {
            return {};
        }
        FileOutcome taken = take(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
        if (!taken.ok()) {
            return taken;
        }
    }
}

class FlockedFolder final : public FolderLock {
public:
    explicit FlockedFolder(int fd) : fd_(fd) {}
    FlockedFolder(const FlockedFolder&) = delete;
    FlockedFolder& operator=(const FlockedFolder&) = delete;
    ~FlockedFolder() override { ::close(fd_); } // releases the lock

private:
    int fd_;
};

} // namespace

PathKind PosixFileSystem::kindOf(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        switch (errno) {
        case ENOENT:
            return PathKind::Missing;
        case ELOOP:
            return PathKind::BrokenLink;
        default:
            return PathKind::Unreachable;
        }
    }
    if (S_ISLNK(status.st_mode) && ::stat(path.c_str(), &status) != 0) {
        return errno == EACCES ? PathKind::Unreachable : PathKind::BrokenLink;
    }
    if (S_ISDIR(status.st_mode)) {
        return PathKind::Folder;
    }
    return S_ISREG(status.st_mode) ? PathKind::File : PathKind::Other;
}

FileOutcome PosixFileSystem::makeFolder(const std::string& path) {
    // The user's umask decides who else may read it, as for any new folder.
    return ::mkdir(path.c_str(), 0777) == 0 ? FileOutcome{} : lastFault();
}

FileOutcome PosixFileSystem::copyToNewFile(const std::string& source,
                                           const std::string& destination) {
    Descriptor in(-1);
    if (FileOutcome opened = openRegularFile(source, in); !opened.ok()) {
        return opened;
    }
    Descriptor out(openRetrying(destination.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY,
                                0666));
    if (!out.valid()) {
        return lastFault();
    }
    FileOutcome copied = readPieces(in.get(), [&out](std::string_view piece) {
        return writeAll(out.get(), piece.data(), piece.size()) ? FileOutcome{} : lastFault();
    });
    if (!copied.ok()) {
        return copied;
    }
    // On the disk before the copy gets its own name: a power cut never
    // leaves a named file with part of its bytes.
    if (::fsync(out.get()) != 0 || out.close() != 0) {
        return lastFault();
    }
    return {};
}

FileOutcome PosixFileSystem::readFile(const std::string& path, std::size_t limit,
                                      std::string& bytes) {
    Descriptor in(-1);
    if (FileOutcome opened = openRegularFile(path, in); !opened.ok()) {
        return opened;
    }
    bytes.clear();
    return readPieces(in.get(), [&bytes, limit](std::string_view piece) {
        if (piece.size() > limit - bytes.size()) {
            return FileOutcome{FileFault::TooLarge, {}};
        }
        bytes.append(piece);
        return FileOutcome{};
    });
}

FileOutcome PosixFileSystem::renameFile(const std::string& from, const std::string& to,
                                        bool replace) {
    if (replace) {
        return ::rename(from.c_str(), to.c_str()) == 0 ? FileOutcome{} : lastFault();
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
        return lastFault();
    }
    // A file system without RENAME_NOREPLACE: a hard link is made only where
    // nothing of that name exists.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return {};
    }
    if (errno != EPERM && errno != EOPNOTSUPP && errno != EMLINK) {
        return lastFault();
    }
    // Nor hard links (FAT): looked at first, the one gap left.
    struct stat status {};
    if (::lstat(to.c_str(), &status) == 0) {
        return {FileFault::AlreadyExists, {}};
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? FileOutcome{} : lastFault();
}

FileOutcome PosixFileSystem::removeFile(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? FileOutcome{} : lastFault();
}

std::unique_ptr<FolderLock> PosixFileSystem::lockFolder(const std::string& path) {
    const int fd = openRetrying(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    int locked = -1;
    do {
        locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<FlockedFolder>(fd);
}

} // namespace tallywick
