// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/FlockInstanceGuard.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallywick {

FlockInstanceGuard::~FlockInstanceGuard() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string FlockInstanceGuard::defaultLockPath() {
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir != nullptr && runtimeDir[0] == '/') {
        struct stat status {};
        if (::stat(runtimeDir, &status) == 0 && S_ISDIR(status.st_mode) &&
            ::access(runtimeDir, W_OK) == 0) {
            return std::string(runtimeDir) + "/tallywick.lock";
        }
    }
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
    return folder + "/tallywick-" + std::to_string(::getuid()) + ".lock";
}

bool FlockInstanceGuard::claim() {
    if (fd_ >= 0) {
        return true;
    }
    const std::string path = lockPath_.empty() ? defaultLockPath() : lockPath_;
    // Not following links keeps another user from pointing our lock at a file
    // of theirs in a shared temporary folder.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return true;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid()) {
        ::close(fd);
        return true;
    }
    int locked = -1;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool heldByAnother = errno == EWOULDBLOCK;
        ::close(fd);
        return !heldByAnother;
    }
    fd_ = fd;
    return true;
}

} // namespace tallywick
