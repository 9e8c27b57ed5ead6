// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/InstancePort.h"

#include <string>

namespace tallywick {

// One copy per user session: an exclusive flock on a lock file in
// $XDG_RUNTIME_DIR (else a per-user file in the temporary folder). The lock
// dies with the process, so a crashed copy never blocks the next start.
class FlockInstanceGuard final : public InstancePort {
public:
    FlockInstanceGuard() = default;
    // For tests: the lock file to use.
    explicit FlockInstanceGuard(std::string lockPath) : lockPath_(std::move(lockPath)) {}
    FlockInstanceGuard(const FlockInstanceGuard&) = delete;
    FlockInstanceGuard& operator=(const FlockInstanceGuard&) = delete;
    ~FlockInstanceGuard() override;

    [[nodiscard]] bool claim() override;

    // Where the lock file lies for this user.
    [[nodiscard]] static std::string defaultLockPath();

private:
    std::string lockPath_;
    int fd_ = -1;
};

} // namespace tallywick
