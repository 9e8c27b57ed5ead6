// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/Descriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace tallywick {

namespace {

int openRetrying(const char* path, int flags) {
    int fd = -1;
    do {
        fd = ::open(path, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

RegularFileOpen openRegularFile(const std::string& path) {
    const Descriptor look(openRetrying(path.c_str(), O_PATH | O_CLOEXEC));
    if (!look.valid()) {
        return {-1, errno, false};
    }
    struct stat status {};
    if (::fstat(look.get(), &status) != 0) {
        return {-1, errno, false};
    }
    if (!S_ISREG(status.st_mode)) {
        return {-1, 0, true};
    }
    // Non-blocking, so that nothing could ever wait here.
    const std::string held = "/proc/self/fd/" + std::to_string(look.get());
    const int fd = openRetrying(held.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {-1, errno == ENOENT ? ENOSYS : errno, false};
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return {fd, 0, false};
}

} // namespace tallywick
