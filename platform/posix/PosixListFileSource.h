// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/ListFilePort.h"

#include <sys/types.h>

namespace tallywick {

// List files on Linux: whatever a name leads to is looked at before anything
// is opened for reading, and only a regular file is then opened, the one that
// was looked at, however the name is changed in between. A folder, FIFO or
// device is refused without being opened (opening a device can have effects
// of its own: a tape rewinds, a modem hangs up, a FIFO's writer goes on).
// Links are followed, as any program opening the name would.
class PosixListFileSource final : public ListFilePort {
public:
    [[nodiscard]] std::unique_ptr<ListFile> open(const std::string& name) override;
};

// The two steps of opening a list file. The first holds the regular file the
// name leads to by a descriptor that reads nothing (O_PATH); the second opens
// that file for reading through the descriptor, never through the name again.
class LookedAtListFile {
public:
    // Throws RunTimeError: file not found, permission denied, or path/file
    // access error when the name leads to no regular file.
    explicit LookedAtListFile(const std::string& name);
    LookedAtListFile(const LookedAtListFile&) = delete;
    LookedAtListFile& operator=(const LookedAtListFile&) = delete;
    ~LookedAtListFile();

    // The file looked at, opened for reading. It is reopened through
    // /proc/self/fd, Linux's one way to open a file held only by such a
    // descriptor: without /proc it is refused (path/file access error),
    // since opening it by its name again could open whatever the name leads
    // to by then.
    [[nodiscard]] std::unique_ptr<ListFile> openForReading();

private:
    std::string name_;
    int fd_ = -1;
    dev_t device_ = 0;
    ino_t inode_ = 0;
};

} // namespace tallywick
