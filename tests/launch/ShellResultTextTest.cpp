// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "launch/ShellResultText.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace tallywick {
namespace {

std::string textFor(std::int32_t value) {
    return std::string(shellResultText(ShellResult{value}));
}

// The failures a user of this program actually meets: a missing file or path
// (the empty second target of a card application, a browser that is gone), a
// refused access, and no program registered for web addresses.
TEST(ShellResultTextTest, failuresUsersMeetAreExplained) {
    EXPECT_EQ(textFor(2), "File Not Found");
    EXPECT_EQ(textFor(3), "Invalid Path");
    EXPECT_EQ(textFor(5), "Sharing or protection error");
    EXPECT_EQ(textFor(31), "No application found for this file");
    EXPECT_EQ(textFor(0), "The file could not be run due to insufficient system memory or a "
                          "corrupt program file");
}

// Failures that hardly any user meets still read as the Windows edition's
// did: a swapped or lost text here goes unnoticed anywhere else.
TEST(ShellResultTextTest, rarelyMetFailuresKeepTheirOwnTexts) {
    EXPECT_EQ(textFor(8), "Insufficient memory to run the program");
    EXPECT_EQ(textFor(10), "Incorrect Windows version");
    EXPECT_EQ(textFor(11), "Invalid Program File");
    EXPECT_EQ(textFor(13), "Program requires MS-DOS 4.0");
    EXPECT_EQ(textFor(14), "Unknown program file type");
    EXPECT_EQ(textFor(16),
              "Invalid use of data segments when loading a second instance of a program");
    EXPECT_EQ(textFor(19), "Attempt to run a compressed program file");
    EXPECT_EQ(textFor(20), "Invalid dynamic link library");
    EXPECT_EQ(textFor(21), "Program requires Windows 32-bit extensions");
}

// Texts users of the Windows edition know as they are, down to a trailing
// blank and a spelling mistake.
TEST(ShellResultTextTest, textsKeepTheirBlanksAndSpelling) {
    EXPECT_EQ(textFor(6), "Separate data segments are required for each task ");
    EXPECT_EQ(textFor(12), "Program file requires a different operating System ");
    EXPECT_EQ(textFor(15), "Windows prgram does not support protected memory mode");
}

// A failure value without a text of its own, and every success, read empty.
TEST(ShellResultTextTest, valuesWithoutATextReadEmpty) {
    for (const std::int32_t value : {1, 4, 7, 9, 17, 18, 22, 26, 30, 32, -1, INT32_MIN}) {
        EXPECT_EQ(textFor(value), "") << value;
    }
    for (const std::int32_t value : {33, 42, INT32_MAX}) {
        EXPECT_EQ(textFor(value), "") << value;
    }
}

} // namespace
} // namespace tallywick
