// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/InstancePort.h"

#include <string>
#include <windows.h>

namespace tallywick {

// One copy per session: a named mutex in the session's "Local\" namespace.
// The system closes it with the process, so a crashed copy never blocks the
// next start.
class MutexInstanceGuard final : public InstancePort {
public:
    MutexInstanceGuard() = default;
    // For tests: the mutex name to use.
    explicit MutexInstanceGuard(std::wstring name) : name_(std::move(name)) {}
    MutexInstanceGuard(const MutexInstanceGuard&) = delete;
    MutexInstanceGuard& operator=(const MutexInstanceGuard&) = delete;
    ~MutexInstanceGuard() override;

    [[nodiscard]] bool claim() override;

private:
    std::wstring name_ = L"Local\\TALLYWICK.SingleCopy";
    HANDLE mutex_ = nullptr;
};

} // namespace tallywick
