#include "app/Form1.h"

#include "app/MemoryReadout.h"
#include "app/MenuTree.h"
#include "app/RunTimeError.h"
#include "catalogue/CardApplications.h"
#include "catalogue/ListFileLoader.h"
#include "catalogue/PartnerCatalogue.h"
#include "launch/LinkCommands.h"
#include "launch/ShellResultText.h"

#include <array>
#include <cassert>

namespace tallywick {

namespace {

constexpr std::string_view kNoSelectionMessage =
    "Sorry!  You must select a Credit Source from the Listbox!!!";
constexpr std::string_view kLaunchErrorTitle = "Error Message";
constexpr std::string_view kLinkErrorText = "There was an ERROR?";
constexpr std::string_view kLinkErrorTitle = "Open URL Error";
constexpr std::string_view kHelpFile = "bushelp.txt";

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
    for (const auto& catalogue : kPartnerCatalogues) {
        window_.fillList(catalogue.list,
                         loadListEntries(services_.listFiles, std::string(catalogue.fileName)));
    }
}

void Form1::writeCountCaptions() {
    std::array<std::size_t, kPartnerCatalogues.size()> counts{};
    for (std::size_t i = 0; i < counts.size(); ++i) {
        counts[i] = window_.listCount(kPartnerCatalogues[i].list);
    }
    for (std::size_t i = 0; i < counts.size(); ++i) {
        window_.setCaption(kPartnerCatalogues[i].countLabel,
                           countCaption(counts[i], kPartnerCatalogues[i].countSuffix));
    }
}

void Form1::writeMemoryFigures() {
    const MemoryFigures figures = services_.memory.query();
    window_.setCaption(Label::Label8, memoryCaption(figures.totalPhysicalBytes, services_.numbers));
    window_.setCaption(Label::Label10,
                       memoryCaption(figures.availablePhysicalBytes, services_.numbers));
}

HandlerOutcome Form1::click(Button button) {
    if (button == Button::Command1) {
        return HandlerOutcome::Exit;
    }
    const bool ran = runUntrapped([this, button] { openCardApplication(button); },
                                  [this](const RunTimeError& error) { report(error); });
    return ran ? HandlerOutcome::Continue : HandlerOutcome::Failed;
}

HandlerOutcome Form1::choose(std::string_view menuItem) {
    const MenuItemSpec* item = findMenuItem(menuItem);
    if (item == nullptr) {
        return HandlerOutcome::Continue;
    }
    switch (item->action) {
    case MenuAction::DropDown:
        return HandlerOutcome::Continue;
    case MenuAction::WebLink:
        openLink(item->name);
        return HandlerOutcome::Continue;
    case MenuAction::About: {
        const bool ran = runUntrapped([this] { showAbout(); },
                                      [this](const RunTimeError& error) { report(error); });
        return ran ? HandlerOutcome::Continue : HandlerOutcome::Failed;
    }
    }
    return HandlerOutcome::Continue;
}

void Form1::openCardApplication(Button button) {
    const CardApplication* application = findCardApplication(button);
    assert(application != nullptr);
    const int selected = window_.selectedIndex(application->list);
    if (selected < 0) {
        services_.boxes.show({std::string(kNoSelectionMessage), std::nullopt, BoxStyle::Ok});
        return;
    }
    window_.minimise();
    const std::string directory(kApplicationDirectory);
    // The second launch is made whatever became of the first.
    RunFile(std::string(webAddress(WebTarget::PublisherHome)), directory, kApplicationShowCommand);
    RunFile(std::string(secondApplicationTarget(*application, selected)), directory,
            kApplicationShowCommand);
}

void Form1::RunFile(const std::string& mFile, const std::string& mFilePath, std::int16_t RunStyle) {
    const LaunchRequest request{window_.activeWindow(), "Open",    mFile,
                                std::string(),          mFilePath, std::int32_t{RunStyle}};
    const std::int32_t result = services_.shell.execute(request);
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

void Form1::openLink(std::string_view name) {
    const LinkCommand* command = findLinkCommand(name);
    assert(command != nullptr);
    // A launch that could not even be attempted is trapped here: one warning,
    // then the program goes on. A refusal by the shell is not looked at.
    try {
        raiseAsRunTimeError([&] {
            const LaunchRequest request{window_.mainWindow(),
                                        std::nullopt,
                                        std::string(webAddress(command->target)),
                                        std::nullopt,
                                        std::string(kLinkDirectory),
                                        kShowNormal};
            (void)services_.shell.execute(request);
        });
    } catch (const RunTimeError&) {
        services_.boxes.show({std::string(kLinkErrorText), std::string(kLinkErrorTitle),
                              BoxStyle::Ok | BoxStyle::IconWarning | BoxStyle::SystemModal});
    }
}

void Form1::showAbout() {
    std::string topic = "Open";
    RunShellExecute(topic, services_.textViewer, std::string(kHelpFile), std::int64_t{0},
                    kShowNormal);
}

} // namespace tallywick
