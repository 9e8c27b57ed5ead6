// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "launch/ShellResultText.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace tallywick {
namespace {

TEST(ShellResultTextTest, everyValueFromMinusFiveToForty) {
    const std::map<int, std::string> texts = {
        {0, "The file could not be run due to insufficient system memory or a corrupt program "
            "file"},
        {2, "File Not Found"},
        {3, "Invalid Path"},
        {5, "Sharing or protection error"},
        {6, "Separate data segments are required for each task "},
        {8, "Insufficient memory to run the program"},
        {10, "Incorrect Windows version"},
        {11, "Invalid Program File"},
        {12, "Program file requires a different operating System "},
        {13, "Program requires MS-DOS 4.0"},
        {14, "Unknown program file type"},
        {15, "Windows prgram does not support protected memory mode"},
        {16, "Invalid use of data segments when loading a second instance of a program"},
        {19, "Attempt to run a compressed program file"},
        {20, "Invalid dynamic link library"},
        {21, "Program requires Windows 32-bit extensions"},
        {31, "No application found for this file"},
    };
    for (int result = -5; result <= 40; ++result) {
        const auto it = texts.find(result);
        EXPECT_EQ(shellResultText(result), it == texts.end() ? "" : it->second) << result;
    }
    for (std::int32_t result : {INT32_MIN, -32, 33, 42, 1000, INT32_MAX}) {
        EXPECT_EQ(shellResultText(result), "") << result;
    }
}

} // namespace
} // namespace tallywick
