// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ProcMemoryProbe.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

TEST(ProcMemoryProbeTest, readsTotalAndAvailableInBytes) {
    const std::string meminfo = "MemTotal:       24576000 kB\n"
                                "MemFree:         1000000 kB\n"
                                "MemAvailable:   12345678 kB\n"
                                "MemTotalX:            1 kB\n";
    const MemoryFigures figures = ProcMemoryProbe::parseMeminfo(meminfo);
    EXPECT_EQ(figures.totalPhysicalBytes, 24576000ull * 1024);
    EXPECT_EQ(figures.availablePhysicalBytes, 12345678ull * 1024);
    EXPECT_EQ(ProcMemoryProbe::parseMeminfo("garbage\nMemTotal: x kB").totalPhysicalBytes, 0u);
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
