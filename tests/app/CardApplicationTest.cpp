// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/CardApplication.h"

#include "FakePlatform.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

using testing::FakePlatform;

// The pages each button must open, written here rather than read from the
// program's table of addresses.
const std::string kHome = "https://www.tallywick.example/";
const std::string kAmexPage = "https://www.americanexpress.com/us/credit-cards/business/";
const std::string kVisaMastercardPage = "https://www.capitalone.com/small-business/credit-cards/";
const std::string kRetailPage = "https://www.homedepot.com/c/credit-center";
const std::string kDirectory = "c:\\program files\\Internet Explorer\\IEXPLORE.EXE";

TEST(RunFileTest, successShowsNothingAndFailureShowsTheTableText) {
    for (std::int32_t result : {33, 42, INT32_MAX}) {
        FakePlatform platform;
        platform.shell.results = {result};
        platform.form.RunFile("https://a.example/", "dir", 1);
        EXPECT_TRUE(platform.boxes.shown.empty()) << result;
    }
    const struct {
        std::int32_t result;
        std::string text;
    } failures[] = {{2, "File Not Found"},
                    {31, "No application found for this file"},
                    {1, ""},
                    {26, ""},
                    {32, ""},
                    {0, "The file could not be run due to insufficient system memory or a "
                        "corrupt program file"},
                    {-1, ""},
                    {INT32_MIN, ""}};
    for (const auto& failure : failures) {
        FakePlatform platform;
        platform.shell.results = {failure.result};
        platform.form.RunFile("x", "dir", 1);
        ASSERT_EQ(platform.boxes.shown.size(), 1u) << failure.result;
        const MessageBoxRequest expected{failure.text, "Error Message", 0x1010};
        EXPECT_EQ(platform.boxes.shown[0], expected) << failure.result;
    }
}

TEST(RunFileTest, requestCarriesTheActiveWindowAndTheCallersValues) {
    FakePlatform platform;
    platform.window.active = 0; // no active window at all
    platform.form.RunFile("", "some dir", -2);
    ASSERT_EQ(platform.shell.requests.size(), 1u);
    const LaunchRequest expected{0, "Open", "", std::string(), "some dir", -2};
    EXPECT_EQ(platform.shell.requests[0], expected);
}

// Selects index in the button's list (of 100 entries) and presses it.
FakePlatform& press(FakePlatform& platform, ControlId button, ControlId list, int index) {
    platform.window.lists[list] = std::vector<std::string>(100, "entry");
    platform.window.selection[list] = index;
    EXPECT_EQ(platform.form.click(button), HandlerOutcome::Continue);
    return platform;
}

TEST(CardApplicationTest, secondTargetFollowsTheSelectedIndex) {
    struct Case {
        ControlId button;
        ControlId list;
        std::string issuer;
        int last;
    };
    for (const Case& c : {Case{ControlId::Command2, ControlId::List1, kAmexPage, 40},
                          Case{ControlId::Command4, ControlId::List2, kVisaMastercardPage, 40},
                          Case{ControlId::Command5, ControlId::List3, kRetailPage, 60}}) {
        const std::string& issuer = c.issuer;
        for (const auto& [index, second] : std::vector<std::pair<int, std::string>>{
                 {0, issuer}, {1, ""}, {c.last, ""}, {c.last + 1, kHome}, {99, kHome}}) {
            SCOPED_TRACE(std::string(controlName(c.button)) + " index " + std::to_string(index));
            FakePlatform platform;
            press(platform, c.button, c.list, index);
            EXPECT_TRUE(platform.window.minimised);
            ASSERT_EQ(platform.shell.requests.size(), 2u);
            for (std::size_t i = 0; i < 2; ++i) {
                const LaunchRequest expected{0x1001,        "Open",     i == 0 ? kHome : second,
                                             std::string(), kDirectory, 1};
                EXPECT_EQ(platform.shell.requests[i], expected);
            }
        }
    }
}

TEST(CardApplicationTest, listEntriesNeverReachALaunch) {
    const std::vector<std::string> hostile = {
        "; rm -rf ~", "$(reboot)", "`id`",       "https://evil.example/",
        "--help",     "| sh",      "\"quoted\"", "../../etc/passwd"};
    for (const auto& [button, list] : {std::pair{ControlId::Command2, ControlId::List1},
                                       std::pair{ControlId::Command4, ControlId::List2},
                                       std::pair{ControlId::Command5, ControlId::List3}}) {
        for (int index = 0; index < static_cast<int>(hostile.size()); ++index) {
            FakePlatform platform;
            platform.window.lists[list] = hostile;
            platform.window.selection[list] = index;
            ASSERT_EQ(platform.form.click(button), HandlerOutcome::Continue);
            for (const LaunchRequest& request : platform.shell.requests) {
                for (const std::string& entry : hostile) {
                    EXPECT_EQ(request.file.find(entry), std::string::npos) << entry;
                    EXPECT_EQ(request.directory.find(entry), std::string::npos) << entry;
                }
            }
        }
    }
}

TEST(CardApplicationTest, noSelectionOnlyApologises) {
    for (ControlId button : {ControlId::Command2, ControlId::Command4, ControlId::Command5}) {
        FakePlatform platform; // empty lists: nothing can be selected
        EXPECT_EQ(platform.form.click(button), HandlerOutcome::Continue);
        EXPECT_FALSE(platform.window.minimised);
        EXPECT_TRUE(platform.shell.requests.empty());
        ASSERT_EQ(platform.boxes.shown.size(), 1u);
        const MessageBoxRequest expected{
            "Sorry!  You must select a Credit Source from the Listbox!!!", std::nullopt, 0};
        EXPECT_EQ(platform.boxes.shown[0], expected);
        EXPECT_EQ(platform.boxes.shown[0].shownTitle(), "TALLYWICK");
    }
}

TEST(CardApplicationTest, bothRefusalsAreReportedInTurn) {
    FakePlatform platform;
    platform.shell.results = {2, 31};
    press(platform, ControlId::Command2, ControlId::List1, 0);
    const testing::Journal tail(platform.journal.end() - 5, platform.journal.end());
    const testing::Journal expected = {
        "minimise",
        "launch " + kHome,
        "box Error Message: File Not Found",
        "launch " + kAmexPage,
        "box Error Message: No application found for this file",
    };
    EXPECT_EQ(tail, expected);
}

TEST(CardApplicationTest, launchThatCannotBeMadeEndsTheProgram) {
    FakePlatform platform;
    platform.shell.throwOnNext = true;
    platform.window.lists[ControlId::List3] = {"a"};
    platform.window.selection[ControlId::List3] = 0;
    EXPECT_EQ(platform.form.click(ControlId::Command5), HandlerOutcome::Failed);
    EXPECT_EQ(platform.shell.requests.size(), 1u) << "the handler went on after the error";
    ASSERT_EQ(platform.boxes.shown.size(), 1u);
    EXPECT_EQ(platform.boxes.shown[0].text, "Run-time error '7':\n\nOut of memory");
    EXPECT_EQ(platform.boxes.shown[0].shownTitle(), "TALLYWICK");
}

} // namespace
} // namespace tallywick
