// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ProcMemoryProbe.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

constexpr std::uint64_t kB = 1024;

TEST(ProcMemoryProbeTest, readsTotalAndAvailableInBytes) {
    const std::string meminfo = "MemTotal:       24576000 kB\n"
                                "MemFree:         1000000 kB\n"
                                "MemAvailable:   12345678 kB\n"
                                "MemTotalX:            1 kB\n";
    const MemoryFigures figures = ProcMemoryProbe::parseMeminfo(meminfo, 50000 * kB);
    EXPECT_EQ(figures.totalPhysicalBytes, 24576000 * kB);
    EXPECT_EQ(figures.availablePhysicalBytes, 12345678 * kB);
    EXPECT_EQ(ProcMemoryProbe::parseMeminfo("garbage\nMemTotal: x kB", 0).totalPhysicalBytes, 0u);
    // Too large to count in bytes: unreadable, not wrapped round to a small figure.
    EXPECT_EQ(ProcMemoryProbe::parseMeminfo("MemTotal: 18014398509481984 kB", 0).totalPhysicalBytes,
              0u);
    EXPECT_EQ(ProcMemoryProbe::parseMeminfo("MemTotal: 100 kB\nMemAvailable: 200 kB", 0)
                  .availablePhysicalBytes,
              100 * kB);
}

// Older kernels and some containers have no MemAvailable line: the estimate
// is the kernel's, free memory above the low watermark plus the page cache and
// reclaimable slab, less half of each (at most the watermark).
TEST(ProcMemoryProbeTest, estimatesAvailableWithoutAMemAvailableLine) {
    const std::string meminfo = "MemTotal:        8000000 kB\n"
                                "MemFree:         1000000 kB\n"
                                "Active(file):    2000000 kB\n"
                                "Inactive(file):  1000000 kB\n"
                                "SReclaimable:      60000 kB\n";
    // 950,000 free + 2,950,000 cache + 30,000 slab (half of it stays).
    EXPECT_EQ(ProcMemoryProbe::parseMeminfo(meminfo, 50000 * kB).availablePhysicalBytes,
              3930000 * kB);
    const std::string starved = "MemTotal: 8000000 kB\nMemFree: 10000 kB\n";
    EXPECT_EQ(ProcMemoryProbe::parseMeminfo(starved, 50000 * kB).availablePhysicalBytes, 0u);
}

TEST(ProcMemoryProbeTest, sumsTheZonesLowWatermarks) {
    const std::string zoneinfo = "Node 0, zone      DMA\n"
                                 "  pages free     3840\n"
                                 "        min      11\n"
                                 "        low      14\n"
                                 "        high     17\n"
                                 "        protection: (0, 2991, 15957, 15957, 15957)\n"
                                 "Node 0, zone    DMA32\n"
                                 "        low      2000\n"
                                 "        lowmem   99\n"
                                 "        low      x\n";
    EXPECT_EQ(ProcMemoryProbe::parseLowWatermarks(zoneinfo, 4096), 2014u * 4096);
}

TEST(ProcMemoryProbeTest, thisMachineReportsPlausibleFigures) {
    ProcMemoryProbe probe;
    const MemoryFigures figures = probe.query();
    EXPECT_GT(figures.totalPhysicalBytes, 64ull << 20);
    EXPECT_GT(figures.availablePhysicalBytes, 0u);
    EXPECT_LE(figures.availablePhysicalBytes, figures.totalPhysicalBytes);
}

} // namespace
} // namespace tallywick
