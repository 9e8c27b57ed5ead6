// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>

namespace tallywick {

struct MemoryFigures {
    std::uint64_t totalPhysicalBytes = 0;
    std::uint64_t availablePhysicalBytes = 0;
};

// The machine's physical memory as the platform reports it.
class MemoryPort {
public:
    virtual ~MemoryPort() = default;
    [[nodiscard]] virtual MemoryFigures query() = 0;
};

} // namespace tallywick
