// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <unistd.h>

namespace tallywick {

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { reset(-1); }
    void reset(int fd) {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = fd;
    }
    [[nodiscard]] int get() const noexcept { return fd_; }
    [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }
    // Closes it now, with close()'s verdict: some file systems report a
    // failed write only here.
    [[nodiscard]] int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// What opening a file with openRegularFile() came to.
struct RegularFileOpen {
    int fd = -1;             // open for reading, close-on-exec; -1 on failure
    int error = 0;           // errno of the failure, 0 when it is no regular file
    bool notRegular = false; // the name leads to a folder, device, FIFO or socket
};

// Opens the regular file a path leads to for reading, and nothing else: the
// name is held by an O_PATH descriptor (links followed) and looked at, and
// that very file is reopened for reading through /proc/self/fd, so that a
// device or FIFO is never opened for reading, not even one swapped in for the
// name meanwhile. Without /proc nothing is opened (ENOSYS).
[[nodiscard]] RegularFileOpen openRegularFile(const std::string& path);

} // namespace tallywick
