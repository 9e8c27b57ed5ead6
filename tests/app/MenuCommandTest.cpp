// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "FakePlatform.h"
#include "app/MenuTree.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace tallywick {
namespace {

using testing::FakePlatform;

// Each link command and the page it must open, written here rather than read
// from the program's table of addresses: a swap there fails this test.
TEST(LinkCommandTest, eachItemOpensItsOwnPage) {
    const std::vector<std::pair<std::string_view, std::string>> pages = {
        {"buildcredit", "https://www.tallywick.example/business-credit/"},
        {"threeinone",
         "https://track.affiliate-network.example/click?aid=10427&oid=3in1-instant-report"},
        {"freepcr",
         "https://track.affiliate-network.example/click?aid=10427&oid=free-personal-report"},
        {"credrep", "https://www.tallywick.example/credit-audit/"},
        {"debtsaviors", "https://track.affiliate-network.example/click?aid=20981&oid=debt-saviors"},
        {"lowermybills",
         "https://track.affiliate-network.example/click?aid=10427&oid=lowerbillsnow"},
        {"preferredfinsol", "https://track.affiliate-network.example/"
                            "click?aid=10427&oid=preferred-financial-solutions"},
        {"ccconsol",
         "https://track.affiliate-network.example/click?aid=10427&oid=credit-card-consolidators"},
        {"junum",
         "https://track.affiliate-network.example/click?aid=10427&oid=junum-credit-management"},
        {"debtconsol",
         "https://apply.consolidation-partner.example/product/application?affid=TWK-5120"},
        {"Calc", "https://www.community-bank.example/business/calculators/"},
        {"getaloan", "https://www.tallywick.example/loans/"},
        {"quillpress", "https://downloads.quillpress.example/quillpress-setup.exe"},
        {"orderfull", "https://www.tallywick.example/order-full-version/"},
    };
    std::size_t links = 0;
    for (const MenuItemSpec& item : kMenuTree) {
        links += item.action == MenuAction::WebLink ? 1 : 0;
    }
    EXPECT_EQ(links, pages.size()) << "a link command this test does not know";
    for (const auto& [name, page] : pages) {
        SCOPED_TRACE(name);
        FakePlatform platform;
        ASSERT_NE(findMenuItem(name), nullptr);
        EXPECT_EQ(platform.choose(name), HandlerOutcome::Continue);
        ASSERT_EQ(platform.shell.requests.size(), 1u);
        EXPECT_EQ(platform.shell.requests[0].file, page);
    }
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
        // The page is eachItemOpensItsOwnPage's to check.
        const LaunchRequest expected{0x1001,       std::nullopt, platform.shell.requests[0].file,
                                     std::nullopt, "c:\\",       1};
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
