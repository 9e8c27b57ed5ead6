// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/ListFolder.h"

#include "FakeFileSystem.h"
#include "listfolder/DeliveredHelp.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace tallywick {
namespace {

using testing::FakeFileSystem;
using testing::PowerCut;

const std::string kHome = "/home/ann";
const std::string kDocuments = "/home/ann/Documents";
const std::string kFolder = "/home/ann/Documents/TALLYWICK";
const std::string kDelivered = "/usr/share/tallywick";
// The four files, written here rather than taken from the build's list.
const std::vector<std::string> kFiles = {"buslist.txt", "buslistb.txt", "buslistc.txt",
                                         "bushelp.txt"};

std::string deliveredText(const std::string& name) {
    return "delivered " + name + "\r\n";
}

// The help text this build delivers, as the build put it beside the tests.
std::string builtHelpText() {
    const char* path = std::getenv("TALLYWICK_DELIVERED_HELP");
    std::ifstream in(path != nullptr ? path : "", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ListFolderTest : public ::testing::Test {
protected:
    ListFolderTest() {
        files.folder(kHome);
        files.folder(kDocuments);
        files.folder(kDelivered);
        for (const auto& name : kFiles) {
            files.file(kDelivered + "/" + name, deliveredText(name));
        }
    }

    std::optional<std::string> prepare() {
        return ListFolder(files, kDocuments, kDelivered).prepare();
    }
    static std::string in(const std::string& name) { return kFolder + "/" + name; }

    void expectFilledAsDelivered() {
        for (const auto& name : kFiles) {
            EXPECT_EQ(files.bytesOf(in(name)), deliveredText(name)) << name;
        }
        EXPECT_EQ(files.hiddenFiles(), std::vector<std::string>());
    }

    FakeFileSystem files;
};

TEST_F(ListFolderTest, firstStartMakesTheFolderAndCopiesEachFileWholeUnderTheLock) {
    EXPECT_EQ(prepare(), std::nullopt);
    expectFilledAsDelivered();
    // Made, locked, then each file written under a hidden name and renamed
    // into place without replacing; unlocked at the end.
    const auto& journal = files.journal;
    ASSERT_GE(journal.size(), 3u);
    EXPECT_EQ(journal.front(), "mkdir " + kFolder);
    EXPECT_EQ(journal[1], "lock " + kFolder);
    EXPECT_EQ(journal.back(), "unlock " + kFolder);
    const auto copy = std::find(journal.begin(), journal.end(),
                                "copy " + in(ListFolder::partialName("buslist.txt")));
    ASSERT_NE(copy, journal.end());
    EXPECT_EQ(*std::next(copy), "rename " + in("buslist.txt"));
    EXPECT_TRUE(ListFolder::partialName("buslist.txt").starts_with("."));
}

TEST_F(ListFolderTest, documentsFolderTheDesktopNamesIsMadeWhenMissingButNotItsParents) {
    files.nodes.erase(kDocuments);
    EXPECT_EQ(prepare(), std::nullopt);
    expectFilledAsDelivered();

    FakeFileSystem bare;
    const auto problem = ListFolder(bare, kDocuments, kDelivered).prepare();
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find("Your documents folder " + kDocuments +
                            " does not exist and cannot be made: a folder on its way does not "
                            "exist."),
              std::string::npos)
        << *problem;
    EXPECT_TRUE(bare.nodes.empty());
}

TEST_F(ListFolderTest, filesThatAreThereAreNeverOverwrittenAndDeletedOnesComeBack) {
    files.folder(kFolder);
    files.file(in("buslist.txt"), "My own card\r\n");
    files.file(in("buslistc.txt"), "");
    EXPECT_EQ(prepare(), std::nullopt);
    EXPECT_EQ(files.bytesOf(in("buslist.txt")), "My own card\r\n");
    EXPECT_EQ(files.bytesOf(in("buslistc.txt")), "");
    // buslistb.txt was deleted: it is back as delivered.
    EXPECT_EQ(files.bytesOf(in("buslistb.txt")), deliveredText("buslistb.txt"));

    // Another launcher puts its copy there between the look and the rename:
    // that one stays, and nothing of ours is left.
    files.nodes.erase(in("buslistb.txt"));
    files.beforeRename = [this](const std::string& to) {
        if (!files.has(to)) {
            files.file(to, "the other launcher's\r\n");
        }
    };
    EXPECT_EQ(prepare(), std::nullopt);
    EXPECT_EQ(files.bytesOf(in("buslistb.txt")), "the other launcher's\r\n");
    EXPECT_EQ(files.hiddenFiles(), std::vector<std::string>());
}

TEST_F(ListFolderTest, aStartCutShortLeavesNoHalfListAndTheNextStartFillsTheFolder) {
    files.bytesBeforePowerCut = 5;
    EXPECT_THROW((void)prepare(), PowerCut);
    EXPECT_FALSE(files.has(in("buslist.txt")));

    files.bytesBeforePowerCut = SIZE_MAX;
    EXPECT_EQ(prepare(), std::nullopt);
    expectFilledAsDelivered();

    // A full disk: the user is told, and no part of the copy stays.
    FakeFileSystem& full = files;
    full.nodes.erase(in("buslistc.txt"));
    full.bytesBeforeDiskFull = 3;
    const auto problem = prepare();
    ASSERT_TRUE(problem);
    EXPECT_EQ(*problem, "TALLYWICK cannot prepare the folder of your lists:\n\n" + kFolder +
                            "\n\nbuslistc.txt cannot be copied into it: the disk is full.");
    EXPECT_FALSE(full.has(in("buslistc.txt")));
    EXPECT_EQ(full.hiddenFiles(), std::vector<std::string>());
}

TEST_F(ListFolderTest, anUnchangedDeliveredHelpTextGivesWayToANewerOneButAnEditedOneStays) {
    const std::string built = builtHelpText();
    ASSERT_FALSE(built.empty()) << "TALLYWICK_DELIVERED_HELP names no readable help text";
    // Every help text a version delivers must be known to later versions.
    EXPECT_TRUE(DeliveredHelp::isDelivered(built))
        << "add {\"<version>\", " << built.size() << ", 0x" << std::hex
        << DeliveredHelp::digest(built) << "ULL} to the table in listfolder/DeliveredHelp.cpp";
    EXPECT_GE(DeliveredHelp::largestSize(), built.size());

    files.folder(kFolder);
    files.file(in("bushelp.txt"), built);
    files.file(kDelivered + "/bushelp.txt", built + "A newer paragraph.\n");
    EXPECT_EQ(prepare(), std::nullopt);
    EXPECT_TRUE(files.bytesOf(in("bushelp.txt")) == built + "A newer paragraph.\n");
    EXPECT_EQ(files.hiddenFiles(), std::vector<std::string>());

    // One changed byte makes it the user's.
    std::string edited = built;
    edited[0] = edited[0] == 'x' ? 'y' : 'x';
    files.file(in("bushelp.txt"), edited);
    EXPECT_EQ(prepare(), std::nullopt);
    EXPECT_TRUE(files.bytesOf(in("bushelp.txt")) == edited);

    // A folder the user may not write in keeps the older text, and starts.
    files.file(in("bushelp.txt"), built);
    files.failingFolders[kFolder] = FileFault::AccessDenied;
    EXPECT_EQ(prepare(), std::nullopt);
    EXPECT_TRUE(files.bytesOf(in("bushelp.txt")) == built);
    EXPECT_EQ(files.hiddenFiles(), std::vector<std::string>());
}

// Each case sets up what is in the way and gives the reason the user reads
// after the folder's name; nothing that was there changes.
struct BadCase {
    const char* what;
    std::function<void(FakeFileSystem&)> setUp;
    std::string reason;
};

TEST_F(ListFolderTest, eachBadCaseNamesTheFolderAndTheReasonAndChangesNothing) {
    const auto kind = [](const std::string& path, PathKind kind) {
        return [path, kind](FakeFileSystem& files) {
            files.nodes[path] = {kind, {}};
        };
    };
    const auto withFolder = [](const std::function<void(FakeFileSystem&)>& more) {
        return [more](FakeFileSystem& files) {
            files.folder(kFolder);
            more(files);
        };
    };
    const std::vector<BadCase> cases = {
        {"no writable home, no documents folder set",
         [](FakeFileSystem& files) { files.failingFolders[kDocuments] = FileFault::AccessDenied; },
         "The folder cannot be made: permission denied."},
        {"TALLYWICK is a file", kind(kFolder, PathKind::File),
         "There is a file of that name. Rename or move the file, and the folder is made at the "
         "next start."},
        {"TALLYWICK is a link that leads nowhere", kind(kFolder, PathKind::BrokenLink),
         "It is a link that leads nowhere."},
        {"TALLYWICK is a FIFO", kind(kFolder, PathKind::Other),
         "It is a device or a pipe, not a folder."},
        {"Documents is a file", kind(kDocuments, PathKind::File),
         "Your documents folder " + kDocuments + " is a file, not a folder."},
        {"a list's name is a folder", withFolder(kind(kFolder + "/buslistb.txt", PathKind::Folder)),
         "buslistb.txt in it is a folder, where the program needs a file of that name. Move that "
         "folder away, and the delivered file is put in its place at the next start."},
        {"a list's name is a link that leads nowhere",
         withFolder(kind(kFolder + "/buslist.txt", PathKind::BrokenLink)),
         "buslist.txt in it is a link that leads nowhere. Remove the link, and the delivered "
         "file is put in its place at the next start."},
        {"the help's name is a device", withFolder(kind(kFolder + "/bushelp.txt", PathKind::Other)),
         "bushelp.txt in it is a device or a pipe, where the program needs a file of that name. "
         "Move it away, and the delivered file is put in its place at the next start."},
        {"a read-only folder that lacks a list", withFolder([](FakeFileSystem& files) {
             files.failingFolders[kFolder] = FileFault::ReadOnly;
         }),
         "buslist.txt cannot be copied into it: the disk is read-only."},
        {"a broken install",
         [](FakeFileSystem& files) { files.nodes.erase(kDelivered + "/buslist.txt"); },
         "The delivered buslist.txt is missing from " + kDelivered + ". Install TALLYWICK again."},
    };
    for (const auto& bad : cases) {
        FakeFileSystem files = this->files;
        bad.setUp(files);
        const auto before = files.nodes;
        const auto problem = ListFolder(files, kDocuments, kDelivered).prepare();
        ASSERT_TRUE(problem) << bad.what;
        EXPECT_EQ(*problem, "TALLYWICK cannot prepare the folder of your lists:\n\n" + kFolder +
                                "\n\n" + bad.reason)
            << bad.what;
        for (const auto& [path, node] : before) {
            EXPECT_TRUE(files.has(path) && files.nodes[path] == node) << bad.what << ": " << path;
        }
        EXPECT_EQ(files.hiddenFiles(), std::vector<std::string>()) << bad.what;
    }
}

} // namespace
} // namespace tallywick
