// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/MemoryPort.h"

#include <string>
#include <string_view>

namespace tallywick {

// Linux: MemTotal and MemAvailable from /proc/meminfo, with sysinfo() where
// that file cannot be read.
class ProcMemoryProbe final : public MemoryPort {
public:
    [[nodiscard]] MemoryFigures query() override;

    // Reads the two figures out of the text of /proc/meminfo; a missing line
    // leaves its figure at 0.
    [[nodiscard]] static MemoryFigures parseMeminfo(std::string_view text);
};

} // namespace tallywick
