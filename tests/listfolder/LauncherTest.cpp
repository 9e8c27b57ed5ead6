// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/Launcher.h"

#include "FakeFileSystem.h"
#include "base/RunTimeError.h"

#include <gtest/gtest.h>

namespace tallywick {
namespace {

using testing::FakeFileSystem;

const std::string kDocuments = "/home/ann/Documents";
const std::string kFolder = "/home/ann/Documents/TALLYWICK";
const std::string kDelivered = "/usr/lib/tallywick";

class FakeDesktop final : public DesktopPort {
public:
    DocumentsFolder documentsFolder() override { return documents; }
    std::optional<std::string> startProgram(const std::string& folder) override {
        started.push_back(folder);
        return startFailure;
    }
    ShellResult openFolder(const std::string& folder) override {
        opened.push_back(folder);
        if (throwOnOpen) {
            throw RunTimeError(ErrorNumber::OutOfMemory, "Out of memory: cannot start xdg-open");
        }
        return openResult;
    }

    DocumentsFolder documents{kDocuments, {}};
    std::optional<std::string> startFailure;
    ShellResult openResult = ShellResult::Launched;
    bool throwOnOpen = false;
    std::vector<std::string> started;
    std::vector<std::string> opened;
};

class FakeBoxes final : public MessageBoxPort {
public:
    void show(const MessageBoxRequest& request) override { shown.push_back(request); }
    std::vector<MessageBoxRequest> shown;
};

class LauncherTest : public ::testing::Test {
protected:
    LauncherTest() {
        files.folder("/home/ann");
        files.folder(kDocuments);
        files.folder(kDelivered);
        for (const char* name : {"buslist.txt", "buslistb.txt", "buslistc.txt", "bushelp.txt"}) {
            files.file(kDelivered + "/" + name, name);
        }
    }

    int run(std::vector<std::string> arguments = {}) {
        return Launcher(files, desktop, boxes, kDelivered).run(arguments);
    }
    // The one box shown, as an error.
    std::string shownError() {
        EXPECT_EQ(boxes.shown.size(), 1u);
        if (boxes.shown.empty()) {
            return {};
        }
        EXPECT_EQ(boxes.shown.front().shownTitle(), "TALLYWICK");
        EXPECT_EQ(boxes.shown.front().style, BoxStyle::IconError);
        return boxes.shown.front().text;
    }

    FakeFileSystem files;
    FakeDesktop desktop;
    FakeBoxes boxes;
};

TEST_F(LauncherTest, startsTheProgramInThePreparedFolderOrOpensIt) {
    EXPECT_EQ(run(), Launcher::kDone);
    EXPECT_EQ(desktop.started, std::vector<std::string>{kFolder});
    EXPECT_EQ(files.bytesOf(kFolder + "/buslist.txt"), "buslist.txt");

    files.nodes.erase(kFolder + "/buslist.txt");
    EXPECT_EQ(run({"--open-folder"}), Launcher::kDone);
    EXPECT_EQ(desktop.opened, std::vector<std::string>{kFolder});
    EXPECT_EQ(files.bytesOf(kFolder + "/buslist.txt"), "buslist.txt");
    EXPECT_EQ(desktop.started.size(), 1u);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(LauncherTest, aFolderThatCannotBePreparedIsShownAndNothingStarts) {
    files.file(kFolder, "a file where the folder should be");
    EXPECT_EQ(run(), Launcher::kFailed);
    EXPECT_EQ(shownError().rfind(
                  "TALLYWICK cannot prepare the folder of your lists:\n\n" + kFolder + "\n\n", 0),
              0u);
    EXPECT_TRUE(desktop.started.empty());
}

TEST_F(LauncherTest, eachOtherFailureIsShownWithItsReason) {
    desktop.documents = {{}, "xdg-user-dir (of the xdg-user-dirs package) is not installed"};
    EXPECT_EQ(run(), Launcher::kFailed);
    EXPECT_EQ(shownError(), "TALLYWICK keeps your lists in a folder of your documents folder, but "
                            "cannot find your documents folder: xdg-user-dir (of the "
                            "xdg-user-dirs package) is not installed.");
    EXPECT_TRUE(desktop.started.empty());
    EXPECT_TRUE(files.journal.empty());

    boxes.shown.clear();
    desktop.documents = {kDocuments, {}};
    desktop.startFailure = "/usr/bin/tallywick cannot be run: No such file or directory";
    EXPECT_EQ(run(), Launcher::kFailed);
    EXPECT_EQ(shownError(), "TALLYWICK cannot start in the folder of your lists:\n\n" + kFolder +
                                "\n\n/usr/bin/tallywick cannot be run: No such file or "
                                "directory.");

    boxes.shown.clear();
    desktop.openResult = ShellResult::NoAssociation;
    EXPECT_EQ(run({"--open-folder"}), Launcher::kFailed);
    EXPECT_EQ(shownError(), "TALLYWICK cannot open the folder of your lists:\n\n" + kFolder +
                                "\n\nNo file manager is set up to open folders.");

    boxes.shown.clear();
    desktop.throwOnOpen = true;
    EXPECT_EQ(run({"--open-folder"}), Launcher::kFailed);
    EXPECT_EQ(shownError(), "TALLYWICK cannot start: Out of memory: cannot start xdg-open.");

    boxes.shown.clear();
    EXPECT_EQ(run({"--open-folder", "--verbose"}), Launcher::kUsage);
    EXPECT_EQ(shownError(), "The TALLYWICK launcher takes no argument but --open-folder, not "
                            "\"--verbose\".");
}

} // namespace
} // namespace tallywick
