// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/MemoryPort.h"

namespace tallywick {

// GlobalMemoryStatusEx: 64-bit figures, right on machines with 2 GB or more.
class Win32MemoryProbe final : public MemoryPort {
public:
    [[nodiscard]] MemoryFigures query() override;
};

} // namespace tallywick
