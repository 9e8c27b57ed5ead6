// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "FakePlatform.h"
#include "app/MenuTree.h"

#include <gtest/gtest.h>
#include <set>

namespace tallywick {
namespace {

using testing::FakePlatform;

TEST(MenuTreeTest, barEntriesAndDropDownsInOrder) {
    struct Row {
        int level;
        std::string name;
        std::string caption;
        bool dropDown;
    };
    const std::vector<Row> expected = {
        {0, "buildcredit", "&Build Business Credit", false},
        {0, "creditreports", "&Credit Reports", true},
        {1, "threeinone", "&3 in 1 Report Instantly Online", false},
        {1, "freepcr", "F&ree Personal Credit Report", false},
        {0, "credrep", "Credit &Repair", false},
        {0, "creditrepair", "Credit Reso&urces", true},
        {1, "debtsaviors", "&Debt Saviors", false},
        {1, "lowermybills", "&LowerBillsNow", false},
        {1, "preferredfinsol", "Preferred &Financial Solutions", false},
        {1, "ccconsol", "Credit C&ard Consolidators", false},
        {1, "junum", "&Junum - Complete Credit Management", false},
        {1, "debtconsol", "De&bt Consolidation", false},
        {0, "Calc", "Calc&ulators", false},
        {0, "getaloan", "Get a &Loan", false},
        {0, "quillpress", "Quill&press", false},
        {0, "Localhelp", "&Help", true},
        {1, "orderfull", "Order the full &version", false},
        {1, "abouttwk", "About The Tallywick", false},
    };
    ASSERT_EQ(kMenuTree.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(kMenuTree[i].level, expected[i].level);
        EXPECT_EQ(kMenuTree[i].name, expected[i].name);
        EXPECT_EQ(kMenuTree[i].caption, expected[i].caption);
        EXPECT_EQ(kMenuTree[i].action == MenuAction::DropDown, expected[i].dropDown);
    }
    // A drop-down item always follows a bar entry that opens a drop-down.
    const MenuItemSpec* entry = nullptr;
    for (const MenuItemSpec& item : kMenuTree) {
        if (item.level == 0) {
            entry = &item;
        } else {
            ASSERT_NE(entry, nullptr);
            EXPECT_EQ(entry->action, MenuAction::DropDown) << item.name;
        }
    }
}

TEST(MenuTreeTest, fourteenLinksEachOpenAPageOfTheirOwn) {
    std::set<std::string_view> addresses;
    std::size_t links = 0;
    for (const MenuItemSpec& item : kMenuTree) {
        if (item.action != MenuAction::WebLink) {
            continue;
        }
        ++links;
        const std::string_view address = webAddress(*item.page);
        EXPECT_TRUE(address.starts_with("https://")) << address;
        addresses.insert(address);
    }
    EXPECT_EQ(links, 14u);
    EXPECT_EQ(addresses.size(), 14u) << "two link commands share a page";
    EXPECT_EQ(findMenuItem("abouttwk")->action, MenuAction::About);
}

TEST(MenuTreeTest, sharedAccessKeyUStandsOnBothEntries) {
    std::vector<std::string_view> withU;
    for (const MenuItemSpec& item : kMenuTree) {
        if (item.level == 0 && (item.caption.find("&u") != std::string_view::npos ||
                                item.caption.find("&U") != std::string_view::npos)) {
            withU.push_back(item.name);
        }
    }
    EXPECT_EQ(withU, (std::vector<std::string_view>{"creditrepair", "Calc"}));
}

TEST(LinkCommandTest, eachItemLaunchesItsPageOnceWithoutTouchingTheWindow) {
    for (const MenuItemSpec& item : kMenuTree) {
        if (item.action != MenuAction::WebLink) {
            continue;
        }
        SCOPED_TRACE(item.name);
        FakePlatform platform;
        EXPECT_EQ(platform.form.choose(item), HandlerOutcome::Continue);
        ASSERT_EQ(platform.shell.requests.size(), 1u);
        const LaunchRequest expected{
            0x1001, std::nullopt, std::string(webAddress(*item.page)), std::nullopt, "c:\\", 1};
        EXPECT_EQ(platform.shell.requests[0], expected);
        EXPECT_FALSE(platform.window.minimised);
        EXPECT_TRUE(platform.boxes.shown.empty());

        EXPECT_EQ(platform.form.choose(item), HandlerOutcome::Continue);
        EXPECT_EQ(platform.shell.requests.size(), 2u) << "a second choice must launch again";
    }
}

TEST(LinkCommandTest, refusedLaunchShowsNothing) {
    FakePlatform platform;
    platform.shell.results = {2, 31};
    EXPECT_EQ(platform.choose("junum"), HandlerOutcome::Continue);
    EXPECT_EQ(platform.choose("Calc"), HandlerOutcome::Continue);
    EXPECT_TRUE(platform.boxes.shown.empty());
}

TEST(LinkCommandTest, launchErrorIsTrappedWithOneWarningAndCleared) {
    FakePlatform platform;
    platform.shell.throwOnNext = true;
    EXPECT_EQ(platform.choose("buildcredit"), HandlerOutcome::Continue);
    ASSERT_EQ(platform.boxes.shown.size(), 1u);
    const MessageBoxRequest expected{"There was an ERROR?", "Open URL Error", 0x1030};
    EXPECT_EQ(platform.boxes.shown[0], expected);

    EXPECT_EQ(platform.choose("getaloan"), HandlerOutcome::Continue);
    EXPECT_EQ(platform.shell.requests.size(), 2u);
    EXPECT_EQ(platform.boxes.shown.size(), 1u) << "the next command found an error pending";
}

TEST(LinkCommandTest, dropDownEntriesRunNothing) {
    FakePlatform platform;
    for (const char* name : {"creditreports", "creditrepair", "Localhelp"}) {
        EXPECT_EQ(platform.choose(name), HandlerOutcome::Continue);
    }
    EXPECT_TRUE(platform.shell.requests.empty());
    EXPECT_TRUE(platform.boxes.shown.empty());
}

TEST(RunShellExecuteTest, argumentsBecomeTextsAndTheDesktopIsTheParent) {
    FakePlatform platform;
    std::string topic = "Open";
    const std::string referenced = "referenced text";
    platform.form.RunShellExecute(topic, std::string("prog"), std::cref(referenced),
                                  std::int64_t{0}, 3);
    ASSERT_EQ(platform.shell.requests.size(), 1u);
    const LaunchRequest expected{0x10, "Open", "prog", "referenced text", "0", 3};
    EXPECT_EQ(platform.shell.requests[0], expected);
    EXPECT_EQ(topic, "Open");

    platform.form.RunShellExecute(topic, std::int64_t{-17}, std::string(), std::int64_t{42}, 1);
    EXPECT_EQ(platform.shell.requests[1].file, "-17");
    EXPECT_EQ(platform.shell.requests[1].parameters, "");
    EXPECT_EQ(platform.shell.requests[1].directory, "42");
}

TEST(RunShellExecuteTest, topicComesBackThroughTheNarrowCodePageAndResultIsIgnored) {
    FakePlatform platform;
    platform.shell.narrow = [](const std::string& text) {
        return text == "\xC3\x96"
                       "ffnen"
                   ? std::string("?ffnen")
                   : text;
    };
    platform.shell.results = {2};
    std::string topic = "\xC3\x96"
                        "ffnen";
    platform.form.RunShellExecute(topic, std::string("f"), std::string(), std::int64_t{0}, 1);
    EXPECT_EQ(topic, "?ffnen");
    EXPECT_TRUE(platform.boxes.shown.empty());
}

TEST(AboutCommandTest, opensTheHelpTextWithTheTextViewer) {
    FakePlatform platform;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(platform.choose("abouttwk"), HandlerOutcome::Continue);
    }
    ASSERT_EQ(platform.shell.requests.size(), 2u) << "About opens a viewer each time";
    const LaunchRequest expected{0x10, "Open", "text-viewer", "bushelp.txt", "0", 1};
    EXPECT_EQ(platform.shell.requests[0], expected);
    EXPECT_EQ(platform.shell.requests[1], expected);

    FakePlatform refused;
    refused.shell.results = {31};
    EXPECT_EQ(refused.choose("abouttwk"), HandlerOutcome::Continue);
    EXPECT_TRUE(refused.boxes.shown.empty());
}

} // namespace
} // namespace tallywick
