// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/MemoryPort.h"

#include <cstdint>
#include <string_view>

namespace tallywick {

// Linux: MemTotal and MemAvailable from /proc/meminfo, with sysinfo() where
// that file cannot be read.
class ProcMemoryProbe final : public MemoryPort {
public:
    [[nodiscard]] MemoryFigures query() override;

    // The figures out of the text of /proc/meminfo. Without a MemAvailable
    // line (kernels before 3.14, some containers) the available memory is
    // estimated from the other lines as the kernel estimates it, given the
    // zones' low watermarks. A figure whose lines are missing or unreadable
    // is 0; the available memory never exceeds the total.
    [[nodiscard]] static MemoryFigures parseMeminfo(std::string_view meminfo,
                                                    std::uint64_t lowWatermarkBytes);
    // The sum of every zone's low watermark in the text of /proc/zoneinfo.
    [[nodiscard]] static std::uint64_t parseLowWatermarks(std::string_view zoneinfo,
                                                          std::uint64_t pageBytes);
};

} // namespace tallywick
