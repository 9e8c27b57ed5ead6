// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "launch/CommandLine.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLineTest, blanksSeparateAndQuotesGroup) {
    EXPECT_EQ(splitCommandLine(""), Arguments{});
    EXPECT_EQ(splitCommandLine("  \t "), Arguments{});
    EXPECT_EQ(splitCommandLine("bushelp.txt"), Arguments{"bushelp.txt"});
    EXPECT_EQ(splitCommandLine(" a  b\tc "), (Arguments{"a", "b", "c"}));
    EXPECT_EQ(splitCommandLine("\"my file.txt\" -x"), (Arguments{"my file.txt", "-x"}));
    EXPECT_EQ(splitCommandLine("pre\"fix suf\"fix"), Arguments{"prefix suffix"});
    EXPECT_EQ(splitCommandLine("\"\""), Arguments{""});
    EXPECT_EQ(splitCommandLine("\"say \"\"hi\"\"\""), Arguments{"say \"hi\""});
    EXPECT_EQ(splitCommandLine("\"unclosed arg"), Arguments{"unclosed arg"});
}

TEST(CommandLineTest, shellCharactersAreOrdinaryText) {
    EXPECT_EQ(splitCommandLine("a;rm -rf $HOME|`x`"), (Arguments{"a;rm", "-rf", "$HOME|`x`"}));
}

} // namespace
} // namespace tallywick
