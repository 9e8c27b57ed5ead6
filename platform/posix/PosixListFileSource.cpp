// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixListFileSource.h"

#include "base/RunTimeError.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallywick {

namespace {

class PosixListFile final : public ListFile {
public:
    PosixListFile(int fd, std::string name, std::uint64_t claimedSize)
        : fd_(fd), name_(std::move(name)), claimedSize_(claimedSize) {}
    PosixListFile(const PosixListFile&) = delete;
    PosixListFile& operator=(const PosixListFile&) = delete;
    ~PosixListFile() override { ::close(fd_); }

    // A large read lands in pages the process has not touched yet: the
    // kernel makes them in one call first instead of taking a fault for
    // each, and the file comes through a small buffer that stays mapped,
    // so that the pages are written once, from here. Under a hypervisor
    // that shadows page tables, a fresh page written by the kernel and then
    // read by the program costs several times its copy.
    std::size_t read(char* buffer, std::size_t size) override {
        if (size < kPiece) {
            return readOnce(buffer, size);
        }
        makePages(buffer, size);
        std::size_t total = 0;
        while (total < size) {
            const std::size_t wanted = std::min(size - total, piece_.size());
            const std::size_t got = readOnce(piece_.data(), wanted);
            std::memcpy(buffer + total, piece_.data(), got);
            total += got;
            if (got < wanted) {
                break;
            }
        }
        return total;
    }
    [[nodiscard]] std::uint64_t claimedSize() const override { return claimedSize_; }

private:
    static constexpr std::size_t kPiece = std::size_t{64} * 1024;

    std::size_t readOnce(char* buffer, std::size_t size) {
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

    // The whole pages inside [buffer, buffer + size), made writable at
    // once. Kernels before 5.14 do not know the advice; their pages are then
    // made one fault at a time, as without it.
    static void makePages(char* buffer, std::size_t size) {
#ifdef MADV_POPULATE_WRITE
        const auto pageSize = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
        const auto begin =
            (reinterpret_cast<std::uintptr_t>(buffer) + pageSize - 1) & ~(pageSize - 1);
        const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(pageSize - 1);
        if (end > begin) {
            ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_POPULATE_WRITE);
        }
#else
        (void)buffer;
        (void)size;
#endif
    }

    // Left unset: every read fills what it copies on.
    std::array<char, kPiece> piece_;
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

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

std::unique_ptr<ListFile> PosixListFileSource::open(const std::string& name) {
    // What the name leads to is looked at before it is opened: a folder, a
    // FIFO or a device is refused without being opened at all, as opening a
    // device can have effects of its own (a tape rewinds, a modem hangs up).
    struct stat named {};
    if (::stat(name.c_str(), &named) != 0) {
        throwOpenError(errno, name);
    }
    if (!S_ISREG(named.st_mode)) {
        throwOpenError(EISDIR, name);
    }
    // Non-blocking and checked again once open, in case the name was made to
    // lead elsewhere in between.
    int fd = -1;
    do {
        fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        throwOpenError(errno, name);
    }
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !sameFile(named, opened)) {
        ::close(fd);
        throwOpenError(EISDIR, name);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) {
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    try {
        return std::make_unique<PosixListFile>(fd, name,
                                               static_cast<std::uint64_t>(opened.st_size));
    } catch (...) {
        ::close(fd);
        throw;
    }
}

} // namespace tallywick
