// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/MemoryReadout.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

TEST(MemoryReadoutTest, kilobytesRoundedAndGrouped) {
    const NumberSymbols english;
    EXPECT_EQ(memoryCaption(262144ull * 1024, english), "262,144 KB");
    EXPECT_EQ(memoryCaption(900ull * 1024, english), "900 KB");
    EXPECT_EQ(memoryCaption(1024000ull * 1024, english), "1,024,000 KB");
    EXPECT_EQ(memoryCaption(1024 + 511, english), "1 KB");
    EXPECT_EQ(memoryCaption(1024 + 512, english), "2 KB"); // halves round up
}

TEST(MemoryReadoutTest, figureRoundingToZeroShowsTheUnitAlone) {
    const NumberSymbols english;
    EXPECT_EQ(memoryCaption(0, english), " KB");
    EXPECT_EQ(memoryCaption(511, english), " KB");
    EXPECT_EQ(memoryCaption(512, english), "1 KB");
}

TEST(MemoryReadoutTest, figuresBeyondThirtyTwoBitsAreExact) {
    const NumberSymbols english;
    EXPECT_EQ(memoryCaption(1ull << 31, english), "2,097,152 KB");
    EXPECT_EQ(memoryCaption(1ull << 32, english), "4,194,304 KB");
    EXPECT_EQ(memoryCaption(25165824000ull, english), "24,576,000 KB");
    EXPECT_EQ(memoryCaption(UINT64_MAX, english), "18,014,398,509,481,984 KB");
}

TEST(MemoryReadoutTest, regionsSeparatorAndDigitsInGroupsOfThree) {
    NumberSymbols german;
    german.groupSeparator = ".";
    EXPECT_EQ(memoryCaption(24683748ull * 1024, german), "24.683.748 KB");
    // A separator of several bytes (a narrow no-break space) and a region's
    // own digits (Arabic-Indic), grouped in threes whatever the region's own
    // grouping.
    NumberSymbols arabic;
    arabic.groupSeparator = "\u202F";
    arabic.digits = {"\u0660", "\u0661", "\u0662", "\u0663", "\u0664",
                     "\u0665", "\u0666", "\u0667", "\u0668", "\u0669"};
    EXPECT_EQ(memoryCaption(1024000ull * 1024, arabic),
              "\u0661\u202F\u0660\u0662\u0664\u202F\u0660\u0660\u0660 KB");
}

} // namespace
} // namespace tallywick
