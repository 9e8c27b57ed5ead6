// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// libFuzzer target for the memory probe's reading of /proc/meminfo and of
// /proc/zoneinfo's low watermarks. The input is a meminfo text, then after a
// NUL byte a zoneinfo text. Beyond "no crash", every reading keeps:
// - the available memory never exceeds the total;
// - lines the probe does not read change nothing, wherever they stand;
// - a MemAvailable line decides the available memory, whatever the estimate;
// - a higher low watermark never raises the estimate;
// - a zoneinfo text twice over sums to twice its watermarks (or the most a
//   count can hold);
// - the figures written back as a meminfo text read back the same.

#include "platform/posix/ProcMemoryProbe.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

namespace {

using tallywick::MemoryFigures;
using tallywick::ProcMemoryProbe;

constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t kPageBytes = 4096;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool operator==(const MemoryFigures& a, const MemoryFigures& b) {
    return a.totalPhysicalBytes == b.totalPhysicalBytes &&
           a.availablePhysicalBytes == b.availablePhysicalBytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto nul = input.find('\0');
    const std::string meminfo(input.substr(0, nul));
    const std::string zoneinfo(nul == std::string_view::npos ? "" : input.substr(nul + 1));

    const std::uint64_t low = ProcMemoryProbe::parseLowWatermarks(zoneinfo, kPageBytes);
    const MemoryFigures figures = ProcMemoryProbe::parseMeminfo(meminfo, low);
    check(figures.availablePhysicalBytes <= figures.totalPhysicalBytes);

    check(ProcMemoryProbe::parseMeminfo("Cached: 5 kB\nMemTotalX: 1 kB\n" + meminfo +
                                            "\nSwapFree: 7 kB\nActive(file)X: 9 kB\n",
                                        low) == figures);

    if (meminfo.find("MemAvailable") == std::string::npos) {
        const std::uint64_t claimed = size * 1000;
        const MemoryFigures told = ProcMemoryProbe::parseMeminfo(
            meminfo + "\nMemAvailable: " + std::to_string(claimed) + " kB\n", low);
        check(told.totalPhysicalBytes == figures.totalPhysicalBytes);
        check(told.availablePhysicalBytes == std::min(claimed * 1024, figures.totalPhysicalBytes));
    }

    const std::uint64_t higher = low > kMax - size * kPageBytes ? kMax : low + size * kPageBytes;
    check(ProcMemoryProbe::parseMeminfo(meminfo, higher).availablePhysicalBytes <=
          figures.availablePhysicalBytes);
    check(ProcMemoryProbe::parseMeminfo(meminfo, 0).availablePhysicalBytes >=
          figures.availablePhysicalBytes);

    check(ProcMemoryProbe::parseLowWatermarks(zoneinfo + "\n" + zoneinfo, kPageBytes) ==
          (low > kMax / 2 ? kMax : 2 * low));

    if (figures.totalPhysicalBytes % 1024 == 0 && figures.availablePhysicalBytes % 1024 == 0) {
        const std::string written =
            "MemTotal: " + std::to_string(figures.totalPhysicalBytes / 1024) +
            " kB\nMemAvailable: " + std::to_string(figures.availablePhysicalBytes / 1024) + " kB\n";
        check(ProcMemoryProbe::parseMeminfo(written, 0) == figures);
    }
    return 0;
}
