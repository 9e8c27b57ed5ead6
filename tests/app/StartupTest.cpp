// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "FakePlatform.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

using testing::FakePlatform;
using testing::Journal;

TEST(StartupTest, loadRunsItsStepsInOrder) {
    FakePlatform platform;
    platform.deliverListFiles("Alpha\r\nBeta\r\n", "Gamma\r\n", "");
    ASSERT_EQ(platform.form.load(), LoadOutcome::Show);

    const Journal expected = {
        "claim",
        "open buslist.txt",
        "close buslist.txt",
        "fill List1",
        "open buslistb.txt",
        "close buslistb.txt",
        "fill List2",
        "open buslistc.txt",
        "close buslistc.txt",
        "fill List3",
        "count List1",
        "count List2",
        "count List3",
        "caption Label1 2 American Express Cards",
        "caption Label5 1 Visa / MasterCard Cards",
        "caption Label6 0 Retail Business Cards",
        "memory",
        "caption Label8 8,388,608 KB",
        "caption Label10 3,145,728 KB",
    };
    EXPECT_EQ(platform.journal, expected);
    EXPECT_TRUE(platform.boxes.shown.empty());
    EXPECT_EQ(platform.window.lists[ControlId::List1], (std::vector<std::string>{"Alpha", "Beta"}));
}

TEST(StartupTest, secondCopyReadsNoListFileAndSaysNothing) {
    FakePlatform platform;
    platform.instance.anotherCopyRunning = true; // and no list file at all
    EXPECT_EQ(platform.form.load(), LoadOutcome::AnotherCopy);
    EXPECT_EQ(platform.journal, Journal{"claim"});
    EXPECT_EQ(exitCode(LoadOutcome::AnotherCopy), 0);
}

TEST(StartupTest, missingListFileStopsTheSequenceWithError53) {
    struct Case {
        std::string missing;
        std::size_t filledLists;
    };
    for (const Case& c :
         {Case{"buslist.txt", 0}, Case{"buslistb.txt", 1}, Case{"buslistc.txt", 2}}) {
        SCOPED_TRACE(c.missing);
        FakePlatform platform;
        platform.deliverListFiles();
        platform.listFiles.files.erase(c.missing);

        EXPECT_EQ(platform.form.load(), LoadOutcome::Failed);
        EXPECT_EQ(exitCode(LoadOutcome::Failed), 1);
        EXPECT_EQ(platform.window.lists.size(), c.filledLists);
        ASSERT_EQ(platform.boxes.shown.size(), 1u);
        const MessageBoxRequest& report = platform.boxes.shown.front();
        EXPECT_EQ(report.shownTitle(), "TALLYWICK");
        EXPECT_EQ(report.text, "Run-time error '53':\n\nFile not found: " + c.missing);
        // Nothing after the failing step ran.
        EXPECT_TRUE(platform.window.captions.empty());
        EXPECT_EQ(platform.journal.back(), "box TALLYWICK: " + report.text);
        EXPECT_EQ(std::count(platform.journal.begin(), platform.journal.end(), "memory"), 0);
    }
}

TEST(StartupTest, overlongListOrFailedReadIsReportedNotTruncated) {
    FakePlatform overlong;
    overlong.deliverListFiles("ok", "ok", std::string(40000, ','));
    EXPECT_EQ(overlong.form.load(), LoadOutcome::Failed);
    ASSERT_EQ(overlong.boxes.shown.size(), 1u);
    EXPECT_EQ(overlong.boxes.shown[0].text,
              "Run-time error '6':\n\nOverflow: buslistc.txt holds more than 32,767 entries");

    // The disk fails in the middle of the second list.
    FakePlatform failing;
    failing.deliverListFiles("ok", "Alpha\r\nBeta\r\nGamma\r\n", "ok");
    failing.listFiles.failAfter["buslistb.txt"] = 9;
    EXPECT_EQ(failing.form.load(), LoadOutcome::Failed);
    ASSERT_EQ(failing.boxes.shown.size(), 1u);
    EXPECT_EQ(failing.boxes.shown[0].text,
              "Run-time error '57':\n\nDevice I/O error: buslistb.txt");
    EXPECT_EQ(failing.window.lists.size(), 1u) << "the half-read list reached the window";
}

TEST(StartupTest, emptyFilesGiveZeroCountsAndOneEntryHasNoSingular) {
    FakePlatform platform;
    platform.deliverListFiles("", "", "Only one");
    ASSERT_EQ(platform.form.load(), LoadOutcome::Show);
    EXPECT_EQ(platform.window.captions[ControlId::Label1], "0 American Express Cards");
    EXPECT_EQ(platform.window.captions[ControlId::Label5], "0 Visa / MasterCard Cards");
    EXPECT_EQ(platform.window.captions[ControlId::Label6], "1 Retail Business Cards");
}

TEST(StartupTest, countsAreWrittenWithoutGrouping) {
    FakePlatform platform;
    std::string many;
    for (int i = 0; i < 32767; ++i) {
        many += "e\n";
    }
    platform.deliverListFiles(many, "", "");
    ASSERT_EQ(platform.form.load(), LoadOutcome::Show);
    EXPECT_EQ(platform.window.captions[ControlId::Label1], "32767 American Express Cards");
}

TEST(StartupTest, exitAndCloseEndTheProgramWithoutAQuestion) {
    FakePlatform platform;
    platform.deliverListFiles();
    ASSERT_EQ(platform.form.load(), LoadOutcome::Show);
    const std::size_t before = platform.journal.size();
    EXPECT_EQ(platform.form.click(ControlId::Command1), HandlerOutcome::Exit);
    EXPECT_EQ(exitCode(HandlerOutcome::Exit), 0);
    EXPECT_EQ(platform.journal.size(), before) << "Exit touched something on its way out";
}

} // namespace
} // namespace tallywick
