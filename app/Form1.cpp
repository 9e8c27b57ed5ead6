// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/Form1.h"

#include "app/MemoryReadout.h"
#include "app/PartnerLists.h"
#include "base/ProductFacts.h"
#include "catalogue/CardApplication.h"
#include "catalogue/ListFileLoader.h"
#include "launch/ShellResultText.h"
#include "launch/WebAddress.h"

#include <algorithm>
#include <array>
#include <functional>

namespace tallywick {

namespace {

constexpr std::string_view kNoSelectionMessage =
    "Sorry!  You must select a Credit Source from the Listbox!!!";
constexpr std::string_view kLaunchErrorTitle = "Error Message";
constexpr std::string_view kLinkErrorText = "There was an ERROR?";
constexpr std::string_view kLinkErrorTitle = "Open URL Error";
// The working folder every web link launch hands the shell.
constexpr std::string_view kLinkDirectory = "c:\\";

const PartnerList* listOfButton(ControlId button) {
    const auto* found =
        std::find_if(kPartnerLists.begin(), kPartnerLists.end(),
                     [button](const PartnerList& row) { return row.button == button; });
    return found == kPartnerLists.end() ? nullptr : found;
}

// Runs a handler; an error it lets escape is reported and ends the program.
template <typename Handler>
bool runUntrapped(Handler&& handler, const std::function<void(const RunTimeError&)>& report) {
    try {
        raiseAsRunTimeError(handler);
        return true;
    } catch (const RunTimeError& error) {
        report(error);
        return false;
    }
}

} // namespace

int exitCode(LoadOutcome outcome) noexcept {
    return outcome == LoadOutcome::Failed ? 1 : 0;
}

int exitCode(HandlerOutcome outcome) noexcept {
    return outcome == HandlerOutcome::Failed ? 1 : 0;
}

Form1::Form1(Services services, MainWindowPort& window)
    : services_(std::move(services)), window_(window) {}

void Form1::report(const RunTimeError& error) {
    services_.boxes.show({error.reportText(), std::nullopt, BoxStyle::Ok | BoxStyle::IconError});
}

LoadOutcome Form1::load() {
    // The single-copy test comes first: a second copy reads nothing and says
    // nothing.
    if (!services_.instance.claim()) {
        return LoadOutcome::AnotherCopy;
    }
    const bool loaded = runUntrapped(
        [this] {
            fillLists();
            writeCountCaptions();
            writeMemoryFigures();
        },
        [this](const RunTimeError& error) { report(error); });
    return loaded ? LoadOutcome::Show : LoadOutcome::Failed;
}

void Form1::fillLists() {
    // Strictly one file after another: each is closed before the next opens.
    for (const PartnerList& row : kPartnerLists) {
        window_.fillList(row.list,
                         loadListEntries(services_.listFiles, std::string(row.catalogue.fileName)));
    }
}

void Form1::writeCountCaptions() {
    // All three counts are read before any caption is written.
    std::array<std::size_t, kPartnerLists.size()> counts{};
    for (std::size_t i = 0; i < counts.size(); ++i) {
        counts[i] = window_.listCount(kPartnerLists[i].list);
    }
    for (std::size_t i = 0; i < counts.size(); ++i) {
        const PartnerList& row = kPartnerLists[i];
        window_.setCaption(row.countLabel, countCaption(counts[i], row.catalogue.countSuffix));
    }
}

void Form1::writeMemoryFigures() {
    const MemoryFigures figures = services_.memory.query();
    const NumberSymbols symbols = services_.numbers.symbols();
    window_.setCaption(ControlId::Label8, memoryCaption(figures.totalPhysicalBytes, symbols));
    window_.setCaption(ControlId::Label10, memoryCaption(figures.availablePhysicalBytes, symbols));
}

HandlerOutcome Form1::click(ControlId button) {
    if (button == ControlId::Command1) {
        return HandlerOutcome::Exit;
    }
    if (listOfButton(button) == nullptr) {
        return HandlerOutcome::Continue;
    }
    const bool ran = runUntrapped([this, button] { openCardApplication(button); },
                                  [this](const RunTimeError& error) { report(error); });
    return ran ? HandlerOutcome::Continue : HandlerOutcome::Failed;
}

HandlerOutcome Form1::choose(const MenuItemSpec& item) {
    switch (item.action) {
    case MenuAction::DropDown:
        return HandlerOutcome::Continue;
    case MenuAction::WebLink:
        openLink(item.page);
        return HandlerOutcome::Continue;
    case MenuAction::About: {
        const bool ran = runUntrapped([this] { showAbout(); },
                                      [this](const RunTimeError& error) { report(error); });
        return ran ? HandlerOutcome::Continue : HandlerOutcome::Failed;
    }
    }
    return HandlerOutcome::Continue;
}

void Form1::openCardApplication(ControlId button) {
    const PartnerList& row = *listOfButton(button);
    const int selected = window_.selectedIndex(row.list);
    if (selected < 0) {
        services_.boxes.show({std::string(kNoSelectionMessage), std::nullopt, BoxStyle::Ok});
        return;
    }
    window_.minimise();
    const std::string directory(kApplicationDirectory);
    // The second launch is made whatever became of the first.
    constexpr auto kNormalWindow = static_cast<std::int16_t>(kShowNormal);
    RunFile(std::string(kPublisherHomePage), directory, kNormalWindow);
    RunFile(std::string(secondApplicationTarget(row.catalogue, selected)), directory,
            kNormalWindow);
}

void Form1::RunFile(const std::string& mFile, const std::string& mFilePath, std::int16_t RunStyle) {
    const LaunchRequest request{window_.activeWindow(), "Open",    mFile,
                                std::string(),          mFilePath, std::int32_t{RunStyle}};
    const ShellResult result = services_.shell.execute(request);
    if (shellSucceeded(result)) {
        return;
    }
    services_.boxes.show({std::string(shellResultText(result)), std::string(kLaunchErrorTitle),
                          BoxStyle::Ok | BoxStyle::IconError | BoxStyle::SystemModal});
}

void Form1::RunShellExecute(std::string& sTopic, const ShellArgument& sFile,
                            const ShellArgument& sParams, const ShellArgument& sDirectory,
                            std::int32_t nShowCmd) {
    const LaunchRequest request{window_.desktopWindow(),       sTopic,
                                shellArgumentText(sFile),      shellArgumentText(sParams),
                                shellArgumentText(sDirectory), nShowCmd};
    (void)services_.shell.execute(request);
    sTopic = services_.shell.narrowRoundTrip(sTopic);
}

void Form1::openLink(std::string_view page) {
    // A launch that could not even be attempted is trapped here: one warning,
    // then the program goes on. A refusal by the shell is not looked at.
    try {
        raiseAsRunTimeError([&] {
            const LaunchRequest request{window_.mainWindow(),        std::nullopt,
                                        std::string(page),           std::nullopt,
                                        std::string(kLinkDirectory), kShowNormal};
            (void)services_.shell.execute(request);
        });
    } catch (const RunTimeError&) {
        services_.boxes.show({std::string(kLinkErrorText), std::string(kLinkErrorTitle),
                              BoxStyle::Ok | BoxStyle::IconWarning | BoxStyle::SystemModal});
    }
}

void Form1::showAbout() {
    std::string topic = "Open";
    RunShellExecute(topic, services_.textViewer(), std::string(kHelpFileName), std::int64_t{0},
                    kShowNormal);
}

} // namespace tallywick
