// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/MemoryReadout.h"

#include "FakePlatform.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

TEST(MemoryReadoutTest, kilobytesRoundedAndGrouped) {
    const testing::FakeNumbers english;
    EXPECT_EQ(memoryCaption(262144ull * 1024, english), "262,144 KB");
    EXPECT_EQ(memoryCaption(900ull * 1024, english), "900 KB");
    EXPECT_EQ(memoryCaption(1024000ull * 1024, english), "1,024,000 KB");
    EXPECT_EQ(memoryCaption(1024 + 511, english), "1 KB");
    EXPECT_EQ(memoryCaption(1024 + 512, english), "2 KB"); // halves round up
}

TEST(MemoryReadoutTest, figureRoundingToZeroShowsTheUnitAlone) {
    const testing::FakeNumbers english;
    EXPECT_EQ(memoryCaption(0, english), " KB");
    EXPECT_EQ(memoryCaption(511, english), " KB");
    EXPECT_EQ(memoryCaption(512, english), "1 KB");
}

TEST(MemoryReadoutTest, figuresBeyondThirtyTwoBitsAreExact) {
    const testing::FakeNumbers english;
    EXPECT_EQ(memoryCaption(1ull << 31, english), "2,097,152 KB");
    EXPECT_EQ(memoryCaption(1ull << 32, english), "4,194,304 KB");
    EXPECT_EQ(memoryCaption(25165824000ull, english), "24,576,000 KB");
    EXPECT_EQ(memoryCaption(UINT64_MAX, english), "18,014,398,509,481,984 KB");
}

} // namespace
} // namespace tallywick
