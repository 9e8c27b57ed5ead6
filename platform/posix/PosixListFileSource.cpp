// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixListFileSource.h"

#include "base/RunTimeError.h"

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace tallywick {

namespace {

class PosixListFile final : public ListFile {
public:
    PosixListFile(int fd, std::string name, std::uint64_t claimedSize)
        : fd_(fd), name_(std::move(name)), claimedSize_(claimedSize) {}
    PosixListFile(const PosixListFile&) = delete;
    PosixListFile& operator=(const PosixListFile&) = delete;
    ~PosixListFile() override { ::close(fd_); }

    std::size_t read(char* buffer, std::size_t size) override {
        makePages(buffer, size);
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
    [[nodiscard]] std::uint64_t claimedSize() const override { return claimedSize_; }

private:
    // The pages of a large read's room are made in one call before the read
    // fills them, instead of one fault at a time as the read goes. Under a
    // hypervisor that shadows page tables, such as the project's machine,
    // each fault costs several times the copy of its page (make bench:
    // "Reader from disk"); elsewhere this only saves the faults, as the
    // reader asks for the size the file claims and the pages made are those
    // the file fills. Kernels before 5.14 ignore the advice.
    static void makePages(char* buffer, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
        static const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        if (size < 16 * pageSize) {
            return;
        }
        const auto begin =
            (reinterpret_cast<std::uintptr_t>(buffer) + pageSize - 1) & ~(pageSize - 1);
        const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(pageSize - 1);
        ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
#else
        (void)buffer;
        (void)size;
#endif
    }

    int fd_;
    std::string name_;
    std::uint64_t claimedSize_;
};

[[noreturn]] void throwOpenError(int error, const std::string& name) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
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

[[noreturn]] void throwNoRegularFile(const std::string& name) {
    throwOpenError(EISDIR, name);
}

int openRetrying(const char* path, int flags) {
    int fd = -1;
    do {
        fd = ::open(path, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

LookedAtListFile::LookedAtListFile(const std::string& name) : name_(name) {
    // A name that leads to no regular file is refused without any open at
    // all, not even one that reads nothing.
    struct stat named {};
    if (::stat(name.c_str(), &named) != 0) {
        throwOpenError(errno, name);
    }
    if (!S_ISREG(named.st_mode)) {
        throwNoRegularFile(name);
    }
    fd_ = openRetrying(name.c_str(), O_PATH | O_CLOEXEC);
    if (fd_ < 0) {
        throwOpenError(errno, name);
    }
    // The name may have been made to lead elsewhere since it was looked at.
    struct stat held {};
    if (::fstat(fd_, &held) != 0 || !S_ISREG(held.st_mode) || held.st_dev != named.st_dev ||
        held.st_ino != named.st_ino) {
        ::close(fd_);
        throwNoRegularFile(name);
    }
    device_ = held.st_dev;
    inode_ = held.st_ino;
}

LookedAtListFile::~LookedAtListFile() {
    ::close(fd_);
}

std::unique_ptr<ListFile> LookedAtListFile::openForReading() {
    // The descriptor's link in /proc leads to the file it holds, not to a
    // name; it is checked once open all the same. Non-blocking, so that
    // nothing could ever wait here.
    const std::string held = "/proc/self/fd/" + std::to_string(fd_);
    const int fd = openRetrying(held.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            throw fileError(ErrorNumber::PathFileAccess, name_,
                            "cannot be opened safely without /proc");
        }
        throwOpenError(errno, name_);
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != device_ ||
        opened.st_ino != inode_) {
        ::close(fd);
        throwNoRegularFile(name_);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    try {
        return std::make_unique<PosixListFile>(fd, name_,
                                               static_cast<std::uint64_t>(opened.st_size));
    } catch (...) {
        ::close(fd);
        throw;
    }
}

std::unique_ptr<ListFile> PosixListFileSource::open(const std::string& name) {
    return LookedAtListFile(name).openForReading();
}

} // namespace tallywick
