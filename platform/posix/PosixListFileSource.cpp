// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixListFileSource.h"

#include "base/RunTimeError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallywick {

namespace {

class PosixListFile final : public ListFile {
public:
    PosixListFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    PosixListFile(const PosixListFile&) = delete;
    PosixListFile& operator=(const PosixListFile&) = delete;
    ~PosixListFile() override { ::close(fd_); }

    std::size_t read(char* buffer, std::size_t size) override {
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, size);
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno != EINTR) {
                throw fileError(ErrorNumber::DeviceIo, name_);
            }
        }
    }

private:
    int fd_;
    std::string name_;
};

[[noreturn]] void throwOpenError(int error, const std::string& name) {
    switch (error) {
    case ENOENT:
        throw fileError(ErrorNumber::FileNotFound, name);
    case EACCES:
    case EPERM:
        throw fileError(ErrorNumber::PermissionDenied, name);
    case ENOMEM:
        throw RunTimeError(ErrorNumber::OutOfMemory);
    default:
        throw fileError(ErrorNumber::PathFileAccess, name);
    }
}

} // namespace

std::unique_ptr<ListFile> PosixListFileSource::open(const std::string& name) {
    // Non-blocking, so that a FIFO or a device of that name cannot hold up
    // the start; anything but a regular file is refused before it is read.
    int fd = -1;
    do {
        fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throwOpenError(errno, name);
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throwOpenError(EISDIR, name);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return std::make_unique<PosixListFile>(fd, name);
}

} // namespace tallywick
