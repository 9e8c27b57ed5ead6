// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// What the main window does, the same on every front-end: each front-end's
// test program links this suite with its own driver.

#include "WindowDriver.h"
#include "app/MenuTree.h"

#include <array>
#include <gtest/gtest.h>
#include <ostream>

namespace tallywick {

void PrintTo(ControlId control, std::ostream* out) {
    *out << controlName(control);
}

void PrintTo(const Rgb& colour, std::ostream* out) {
    *out << "rgb(" << int{colour.red} << ", " << int{colour.green} << ", " << int{colour.blue}
         << ")";
}

void PrintTo(const LaunchRequest& request, std::ostream* out) {
    *out << "{parent " << request.parent << ", " << request.operation.value_or("(none)") << ", \""
         << request.file << "\", " << request.parameters.value_or("(none)") << ", \""
         << request.directory << "\", " << request.showCommand << "}";
}

void PrintTo(const MessageBoxRequest& box, std::ostream* out) {
    *out << "{\"" << box.text << "\", " << box.title.value_or("(none)") << ", " << box.style << "}";
}

namespace testing {

void PrintTo(const PixelRect& rect, std::ostream* out) {
    *out << rect.width << "x" << rect.height << " at (" << rect.left << ", " << rect.top << ")";
}

void PrintTo(const ShownMenu& menu, std::ostream* out) {
    *out << menu.caption << ::testing::PrintToString(menu.items);
}

void PrintTo(Key key, std::ostream* out) {
    constexpr std::array<std::string_view, 10> kNames = {
        "Tab", "Shift+Tab", "Home", "End", "Up", "Down", "Page Down", "Return", "Escape", "Enter"};
    *out << kNames.at(static_cast<std::size_t>(key));
}

namespace {

constexpr std::string_view kNoSelection =
    "Sorry!  You must select a Credit Source from the Listbox!!!";

class WindowBehaviourTest : public ::testing::Test {
protected:
    WindowBehaviourTest() { window = windowWithLists(); }

    static std::unique_ptr<WindowDriver> windowWithLists() {
        auto driver = makeWindowDriver();
        driver->deliverListFiles("Alpha\r\nBeta\r\n\"Gamma, Inc.\"\r\n", "One\r\nTwo\r\n",
                                 "Corner Shop\r\n");
        return driver;
    }

    std::unique_ptr<WindowDriver> window;
};

TEST_F(WindowBehaviourTest, controlsStandWhereTheTableSaysWithTheirTextsAndTips) {
    EXPECT_EQ(window->title(), TALLYWICK_EXPECTED_TITLE);
    // The client area is 9060 x 5175 twips, however many rows the menu bar takes.
    const PixelRect client = window->clientArea();
    EXPECT_EQ(client, (PixelRect{0, 0, 604, 345}));
    for (const ControlSpec& design : kControlTable) {
        SCOPED_TRACE(design.name());
        const PixelRect rect = window->rect(design.id);
        EXPECT_EQ(rect, (PixelRect{design.left / 15, design.top / 15, design.width / 15,
                                   design.height / 15}));
        EXPECT_LE(rect.left + rect.width, client.width);
        EXPECT_LE(rect.top + rect.height, client.height);
        EXPECT_EQ(window->text(design.id), design.text);
        EXPECT_EQ(window->toolTip(design.id), design.toolTip);
    }
}

TEST_F(WindowBehaviourTest, listsDrawTheirEntriesInTheirColours) {
    EXPECT_EQ(window->textColour(ControlId::List1), window->systemTextColour());
    EXPECT_EQ(window->textColour(ControlId::List2), (Rgb{0, 128, 0}));
    EXPECT_EQ(window->textColour(ControlId::List3), (Rgb{255, 0, 0}));
}

TEST_F(WindowBehaviourTest, screenReadersSpeakButtonsByTheirCaptions) {
    EXPECT_EQ(window->accessibleName(ControlId::Command2), "Open American Express Application");
    EXPECT_EQ(window->accessibleName(ControlId::Command4), "Open Visa  Mastercard Application");
    EXPECT_EQ(window->accessibleName(ControlId::Command5), "Open Retail Business Application");
    EXPECT_EQ(window->accessibleName(ControlId::Command1), "Exit");
    EXPECT_EQ(window->accessibleName(ControlId::Label7), "Your Total Memory:");
}

TEST_F(WindowBehaviourTest, screenReadersNameListsByTheirCaptionsAndPicturesByTheirBrands) {
    window->deliverListFiles("Alpha\r\nBeta\r\n", "One,Two,Three", "");
    ASSERT_TRUE(window->loadAndShow());
    EXPECT_EQ(window->accessibleName(ControlId::List1), "2 American Express Cards");
    EXPECT_EQ(window->accessibleName(ControlId::List2), "3 Visa / MasterCard Cards");
    EXPECT_EQ(window->accessibleName(ControlId::List3), "0 Retail Business Cards");
    EXPECT_EQ(window->accessibleName(ControlId::Picture1), "American Express");
    EXPECT_EQ(window->accessibleName(ControlId::Picture2), "MasterCard");
    EXPECT_EQ(window->accessibleName(ControlId::Picture3), "Visa");
    EXPECT_EQ(window->accessibleName(ControlId::Picture4), "Discover");
}

TEST_F(WindowBehaviourTest, loadFillsListsAndCaptionsAndFocusesTheFirstList) {
    window->deliverListFiles("Alpha\r\nBeta\r\n\"Gamma, Inc.\"\r\n", "One,Two", "");
    ASSERT_TRUE(window->loadAndShow());
    using Entries = std::vector<std::string>;
    EXPECT_EQ(window->entries(ControlId::List1), (Entries{"Alpha", "Beta", "Gamma, Inc."}));
    EXPECT_EQ(window->entries(ControlId::List2), (Entries{"One", "Two"}));
    EXPECT_EQ(window->entries(ControlId::List3), Entries{});
    EXPECT_EQ(window->text(ControlId::Label1), "3 American Express Cards");
    EXPECT_EQ(window->text(ControlId::Label5), "2 Visa / MasterCard Cards");
    EXPECT_EQ(window->text(ControlId::Label6), "0 Retail Business Cards");
    EXPECT_EQ(window->text(ControlId::Label8), "8,388,608 KB");
    EXPECT_EQ(window->text(ControlId::Label10), "3,145,728 KB");
    EXPECT_TRUE(window->visible());
    EXPECT_FALSE(window->minimised());
    EXPECT_EQ(window->focus(), ControlId::List1);
    for (const ControlId list : {ControlId::List1, ControlId::List2, ControlId::List3}) {
        EXPECT_EQ(window->selectedIndex(list), -1);
    }
}

TEST_F(WindowBehaviourTest, listsHoldTheirFullCapacityAndTheKeyboardReachesTheLastEntry) {
    std::string sources;
    for (int i = 0; i < 32767; ++i) {
        sources += "Source " + std::to_string(i) + "\r\n";
    }
    window->deliverListFiles("Alpha\r\n", sources, "");
    ASSERT_TRUE(window->loadAndShow());
    const std::vector<std::string> shown = window->entries(ControlId::List2);
    ASSERT_EQ(shown.size(), 32767u);
    EXPECT_EQ(shown.back(), "Source 32766");
    EXPECT_EQ(window->text(ControlId::Label5), "32767 Visa / MasterCard Cards");
    window->key(Key::Tab);
    window->key(Key::Tab);
    ASSERT_EQ(window->focus(), ControlId::List2);
    window->key(Key::Home);
    window->key(Key::End);
    EXPECT_EQ(window->selectedIndex(ControlId::List2), 32766);
}

TEST_F(WindowBehaviourTest, longEntriesShowTheirFirst256CharactersToTheEyeAndToScreenReaders) {
    const auto repeated = [](std::string_view text, int times) {
        std::string all;
        for (int i = 0; i < times; ++i) {
            all += text;
        }
        return all;
    };
    const std::string euros = repeated("\xE2\x82\xAC", 256); // three UTF-8 bytes each
    const std::string letters = repeated("a", 255);
    const std::string face = "\xF0\x9F\x98\x80"; // a UTF-16 surrogate pair
    const std::string ellipsis = "\xE2\x80\xA6";
    window->deliverListFiles("Alpha\r\n" + euros + "\r\n" + euros + "\xE2\x82\xAC\r\n" + letters +
                                 face + "tail\r\n" + repeated("q", 5 << 20),
                             "", "");
    ASSERT_TRUE(window->loadAndShow());
    const std::vector<std::string> shown = {
        "Alpha", euros, euros + ellipsis, letters + face + ellipsis, repeated("q", 256) + ellipsis};
    EXPECT_EQ(window->entries(ControlId::List1), shown);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        EXPECT_EQ(window->entryAccessibleName(ControlId::List1, static_cast<int>(i)), shown[i])
            << "entry " << i;
    }
    EXPECT_EQ(window->text(ControlId::Label1), "5 American Express Cards");
}

TEST_F(WindowBehaviourTest, tabAndShiftTabVisitTheControlsInTabIndexOrder) {
    ASSERT_TRUE(window->loadAndShow());
    const std::vector<ControlId> expected = {
        ControlId::List1,    ControlId::Command2, ControlId::List2,    ControlId::Command4,
        ControlId::List3,    ControlId::Command5, ControlId::Command1, ControlId::Picture1,
        ControlId::Picture2, ControlId::Picture3, ControlId::Picture4, ControlId::List1};
    std::vector<std::optional<ControlId>> visited = {window->focus()};
    for (std::size_t i = 1; i < expected.size(); ++i) {
        window->key(Key::Tab);
        visited.push_back(window->focus());
    }
    EXPECT_EQ(visited, std::vector<std::optional<ControlId>>(expected.begin(), expected.end()));
    window->key(Key::ShiftTab);
    EXPECT_EQ(window->focus(), ControlId::Picture4);
    window->key(Key::ShiftTab);
    EXPECT_EQ(window->focus(), ControlId::Picture3);
}

TEST_F(WindowBehaviourTest, keyboardSelectsLikeAWindowsListBox) {
    // With nothing selected, each of these keys selects the first entry.
    for (const Key key : {Key::Home, Key::Down, Key::Up}) {
        SCOPED_TRACE(::testing::PrintToString(key));
        auto fresh = windowWithLists();
        ASSERT_TRUE(fresh->loadAndShow());
        ASSERT_EQ(fresh->focus(), ControlId::List1);
        fresh->key(key);
        EXPECT_EQ(fresh->selectedIndex(ControlId::List1), 0);
    }
    ASSERT_TRUE(window->loadAndShow());
    const std::pair<Key, int> walk[] = {{Key::Home, 0},     {Key::Down, 1}, {Key::Down, 2},
                                        {Key::Down, 2},     {Key::Up, 1},   {Key::Home, 0},
                                        {Key::PageDown, 2}, {Key::Up, 1},   {Key::End, 2}};
    for (const auto& [key, selected] : walk) {
        window->key(key);
        EXPECT_EQ(window->selectedIndex(ControlId::List1), selected)
            << ::testing::PrintToString(key);
    }
}

TEST_F(WindowBehaviourTest, returnAndEnterPressOnlyAFocusedButtonAndEscapeNothing) {
    // With the focus on a list, none of them presses anything.
    ASSERT_TRUE(window->loadAndShow());
    window->select(ControlId::List1, 0);
    for (const Key key : {Key::Return, Key::Enter, Key::Escape}) {
        window->key(key);
    }
    EXPECT_TRUE(window->shell.requests.empty());
    EXPECT_TRUE(window->boxes.shown.empty());
    EXPECT_TRUE(window->visible());
    EXPECT_FALSE(window->minimised());
    EXPECT_EQ(window->focus(), ControlId::List1);

    // On the card button, Escape does nothing and Return or Enter presses it.
    for (const Key key : {Key::Return, Key::Enter}) {
        SCOPED_TRACE(::testing::PrintToString(key));
        auto fresh = windowWithLists();
        ASSERT_TRUE(fresh->loadAndShow());
        fresh->select(ControlId::List1, 0);
        fresh->key(Key::Tab);
        ASSERT_EQ(fresh->focus(), ControlId::Command2);
        fresh->key(Key::Escape);
        EXPECT_TRUE(fresh->shell.requests.empty());
        fresh->key(key);
        ASSERT_EQ(fresh->shell.requests.size(), 2u);
        EXPECT_EQ(fresh->shell.requests[0].file, "https://www.tallywick.example/");
        EXPECT_EQ(fresh->shell.requests[1].file,
                  "https://www.americanexpress.com/us/credit-cards/business/");
        EXPECT_TRUE(fresh->minimised());
    }
    // On the Exit button, Return closes the window.
    auto exiting = windowWithLists();
    ASSERT_TRUE(exiting->loadAndShow());
    for (int i = 0; i < 6; ++i) {
        exiting->key(Key::Tab);
    }
    ASSERT_EQ(exiting->focus(), ControlId::Command1);
    exiting->key(Key::Return);
    EXPECT_FALSE(exiting->visible());
}

TEST_F(WindowBehaviourTest, accessKeysPressTheirButtonsBeforeTheMenuBar) {
    // R is also "Credit &Repair" on the bar: the button wins.
    const struct {
        char letter;
        ControlId button;
        ControlId list;
    } cases[] = {{'a', ControlId::Command2, ControlId::List1},
                 {'v', ControlId::Command4, ControlId::List2},
                 {'r', ControlId::Command5, ControlId::List3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letter);
        std::vector<std::string> pressed;
        {
            auto clicked = windowWithLists();
            ASSERT_TRUE(clicked->loadAndShow());
            clicked->select(c.list, 0);
            clicked->press(c.button);
            for (const LaunchRequest& request : clicked->shell.requests) {
                pressed.push_back(request.file);
            }
        }
        ASSERT_EQ(pressed.size(), 2u);
        auto typed = windowWithLists();
        ASSERT_TRUE(typed->loadAndShow());
        typed->select(c.list, 0);
        typed->accessKey(c.letter);
        std::vector<std::string> launched;
        for (const LaunchRequest& request : typed->shell.requests) {
            launched.push_back(request.file);
        }
        EXPECT_EQ(launched, pressed);
        EXPECT_TRUE(typed->minimised());
    }
}

TEST_F(WindowBehaviourTest, exitButtonAndAltXCloseTheWindow) {
    ASSERT_TRUE(window->loadAndShow());
    window->press(ControlId::Command1);
    EXPECT_FALSE(window->visible());
    EXPECT_EQ(window->exitCode(), 0);

    auto typed = windowWithLists();
    ASSERT_TRUE(typed->loadAndShow());
    typed->accessKey('x');
    EXPECT_FALSE(typed->visible());
    EXPECT_EQ(typed->exitCode(), 0);
    EXPECT_TRUE(window->shell.requests.empty() && typed->shell.requests.empty());
    EXPECT_TRUE(window->boxes.shown.empty() && typed->boxes.shown.empty());
}

TEST_F(WindowBehaviourTest, menuBarShowsTheTreeInOrder) {
    std::vector<ShownMenu> expected;
    for (const MenuItemSpec& item : kMenuTree) {
        if (item.level == 0) {
            expected.push_back({std::string(item.caption), {}});
        } else {
            expected.back().items.emplace_back(item.caption);
        }
    }
    const std::vector<ShownMenu> shown = window->menuBar();
    EXPECT_EQ(shown, expected);
    ASSERT_EQ(shown.size(), 8u);
    EXPECT_EQ(shown[7], (ShownMenu{"&Help", {"Order the full &version", "About The Tallywick"}}));
}

TEST_F(WindowBehaviourTest, everyCommandLaunchesTheSameRequestEachTimeAndLeavesTheWindowAlone) {
    ASSERT_TRUE(window->loadAndShow());
    int commands = 0;
    for (const MenuItemSpec& item : kMenuTree) {
        if (item.action == MenuAction::DropDown) {
            continue;
        }
        SCOPED_TRACE(item.name);
        ++commands;
        window->shell.requests.clear();
        window->choose(item.name);
        window->choose(item.name);
        ASSERT_EQ(window->shell.requests.size(), 2u);
        EXPECT_EQ(window->shell.requests[0], window->shell.requests[1]);
        const LaunchRequest expected =
            item.action == MenuAction::WebLink
                ? LaunchRequest{window->handle(), std::nullopt, std::string(item.page),
                                std::nullopt,     "c:\\",       1}
                : LaunchRequest{window->desktopHandle(), "Open", std::string(kTextViewer),
                                "bushelp.txt",           "0",    1};
        EXPECT_EQ(window->shell.requests[0], expected);
        EXPECT_TRUE(window->visible());
        EXPECT_FALSE(window->minimised());
    }
    EXPECT_EQ(commands, 15);
    EXPECT_TRUE(window->boxes.shown.empty());
}

TEST_F(WindowBehaviourTest, buttonWithSelectionMinimisesAndLaunchesTwice) {
    const struct {
        ControlId list;
        int index;
        ControlId button;
        std::string_view second;
    } cases[] = {{ControlId::List1, 0, ControlId::Command2,
                  "https://www.americanexpress.com/us/credit-cards/business/"},
                 {ControlId::List2, 1, ControlId::Command4, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(controlName(c.button));
        auto fresh = windowWithLists();
        ASSERT_TRUE(fresh->loadAndShow());
        fresh->select(c.list, c.index);
        EXPECT_EQ(fresh->selectedIndex(c.list), c.index);
        fresh->press(c.button);
        EXPECT_TRUE(fresh->minimised());
        ASSERT_EQ(fresh->shell.requests.size(), 2u);
        // Their parent is the active window: the main window, or none once
        // minimising has taken the activation away.
        for (const LaunchRequest& request : fresh->shell.requests) {
            EXPECT_TRUE(request.parent == fresh->handle() || request.parent == 0);
        }
        EXPECT_EQ(fresh->shell.requests[0].operation, "Open");
        EXPECT_EQ(fresh->shell.requests[0].file, "https://www.tallywick.example/");
        EXPECT_EQ(fresh->shell.requests[1].file, c.second);
        EXPECT_TRUE(fresh->boxes.shown.empty());
    }
}

TEST_F(WindowBehaviourTest, buttonWithoutSelectionApologisesAndLaunchesNothing) {
    ASSERT_TRUE(window->loadAndShow());
    for (const ControlId button : {ControlId::Command2, ControlId::Command4, ControlId::Command5}) {
        window->press(button);
    }
    EXPECT_TRUE(window->shell.requests.empty());
    const MessageBoxRequest apology{std::string(kNoSelection), std::nullopt, 0};
    EXPECT_EQ(window->boxes.shown, std::vector<MessageBoxRequest>(3, apology));
    EXPECT_FALSE(window->minimised());
}

TEST_F(WindowBehaviourTest, refusedLaunchIsReportedAsASystemModalError) {
    ASSERT_TRUE(window->loadAndShow());
    window->select(ControlId::List2, 0);
    window->shell.results = {42, 2};
    window->press(ControlId::Command4);
    EXPECT_EQ(window->shell.requests.size(), 2u);
    EXPECT_EQ(window->boxes.shown,
              (std::vector<MessageBoxRequest>{{"File Not Found", "Error Message", 0x1010}}));
    EXPECT_TRUE(window->visible());
}

TEST_F(WindowBehaviourTest, untrappedErrorIsReportedHidesTheWindowAndEndsWithOne) {
    ASSERT_TRUE(window->loadAndShow());
    window->select(ControlId::List1, 1);
    window->press(ControlId::Command2);
    EXPECT_EQ(window->exitCode(), std::nullopt) << "a handler that ran ended the program";
    window->shell.throwOnNext = true;
    window->press(ControlId::Command2);
    EXPECT_EQ(window->boxes.shown,
              (std::vector<MessageBoxRequest>{
                  {"Run-time error '7':\n\nOut of memory", std::nullopt, 0x10}}));
    EXPECT_FALSE(window->visible());
    EXPECT_EQ(window->exitCode(), 1);

    // The About command has no trap either.
    auto about = windowWithLists();
    ASSERT_TRUE(about->loadAndShow());
    about->shell.throwOnNext = true;
    about->choose("abouttwk");
    EXPECT_EQ(about->boxes.shown.size(), 1u);
    EXPECT_FALSE(about->visible());
    EXPECT_EQ(about->exitCode(), 1);
}

} // namespace
} // namespace testing
} // namespace tallywick
