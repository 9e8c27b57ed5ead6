// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// Fakes of the platform services; each records what it was asked, in one
// shared journal so that tests can check the order of events.

#include "FakeListFiles.h"
#include "app/Form1.h"
#include "base/RunTimeError.h"

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tallywick::testing {

class FakeShell final : public ShellPort {
public:
    explicit FakeShell(Journal& journal) : journal_(journal) {}

    ShellResult execute(const LaunchRequest& request) override {
        journal_.push_back("launch " + request.file);
        requests.push_back(request);
        if (throwOnNext) {
            throwOnNext = false;
            throw RunTimeError(ErrorNumber::OutOfMemory, "Out of memory");
        }
        if (!results.empty()) {
            const std::int32_t result = results.front();
            results.pop_front();
            return ShellResult{result};
        }
        return ShellResult{42};
    }

    std::string narrowRoundTrip(const std::string& text) const override {
        return narrow ? narrow(text) : text;
    }

    std::vector<LaunchRequest> requests;
    std::deque<std::int32_t> results; // answered in order, then success
    bool throwOnNext = false;
    std::function<std::string(const std::string&)> narrow;

private:
    Journal& journal_;
};

class FakeMessageBoxes final : public MessageBoxPort {
public:
    explicit FakeMessageBoxes(Journal& journal) : journal_(journal) {}
    void show(const MessageBoxRequest& request) override {
        journal_.push_back("box " + request.shownTitle() + ": " + request.text);
        shown.push_back(request);
    }
    std::vector<MessageBoxRequest> shown;

private:
    Journal& journal_;
};

class FakeInstanceGuard final : public InstancePort {
public:
    explicit FakeInstanceGuard(Journal& journal) : journal_(journal) {}
    bool claim() override {
        journal_.push_back("claim");
        return !anotherCopyRunning;
    }
    bool anotherCopyRunning = false;

private:
    Journal& journal_;
};

class FakeMemory final : public MemoryPort {
public:
    explicit FakeMemory(Journal& journal) : journal_(journal) {}
    MemoryFigures query() override {
        journal_.push_back("memory");
        return figures;
    }
    MemoryFigures figures{8ull << 30, 3ull << 30};

private:
    Journal& journal_;
};

// A region's digits and separator; English ones unless a test sets others.
class FakeNumbers final : public NumberFormatPort {
public:
    NumberSymbols symbols() const override { return region; }
    NumberSymbols region;
};

class FakeWindow final : public MainWindowPort {
public:
    explicit FakeWindow(Journal& journal) : journal_(journal) {}

    void fillList(ControlId list, ListEntries entries) override {
        journal_.push_back("fill " + std::string(controlName(list)));
        lists[list] = entryTexts(entries);
    }
    std::size_t listCount(ControlId list) const override {
        journal_.push_back("count " + std::string(controlName(list)));
        const auto it = lists.find(list);
        return it == lists.end() ? 0 : it->second.size();
    }
    int selectedIndex(ControlId list) const override {
        const auto it = selection.find(list);
        return it == selection.end() ? -1 : it->second;
    }
    void setCaption(ControlId label, const std::string& text) override {
        journal_.push_back("caption " + std::string(controlName(label)) + " " + text);
        captions[label] = text;
    }
    void minimise() override {
        journal_.push_back("minimise");
        minimised = true;
    }
    WindowHandle mainWindow() const override { return 0x1001; }
    WindowHandle activeWindow() const override { return active; }
    WindowHandle desktopWindow() const override { return 0x10; }

    std::map<ControlId, std::vector<std::string>> lists;
    std::map<ControlId, int> selection;
    std::map<ControlId, std::string> captions;
    bool minimised = false;
    WindowHandle active = 0x1001;

private:
    Journal& journal_;
};

// Every platform service but the window, faked, writing to one journal.
struct FakeServices {
    Journal journal;
    FakeShell shell{journal};
    FakeMessageBoxes boxes{journal};
    FakeInstanceGuard instance{journal};
    FakeListFiles listFiles{journal};
    FakeMemory memory{journal};
    FakeNumbers numbers;

    Services services(std::string textViewer = "text-viewer") {
        return Services{
            shell, boxes, instance, listFiles, memory, numbers, [viewer = std::move(textViewer)] {
                return viewer;
            }};
    }
};

// Everything a Form1 needs, wired together.
struct FakePlatform : FakeServices {
    FakeWindow window{journal};
    Form1 form{services(), window};

    // Chooses the menu item of that name.
    HandlerOutcome choose(std::string_view name) { return form.choose(*findMenuItem(name)); }

    void deliverListFiles(const std::string& a = "Alpha\r\nBeta\r\n",
                          const std::string& b = "Gamma\r\n", const std::string& c = "") {
        listFiles.deliver(a, b, c);
    }
};

} // namespace tallywick::testing
