// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixFileSystem.h"

#include "TempFolder.h"
#include "listfolder/ListFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tallywick {
namespace {

using testing::readText;
using testing::TempFolder;
namespace fs = std::filesystem;

// The names a list folder holds, written here, not taken from the build.
const std::vector<std::string> kFiles = {"buslist.txt", "buslistb.txt", "buslistc.txt",
                                         "bushelp.txt"};

TEST(PosixFileSystemTest, kindsFollowLinksAsAFileManagerDoes) {
    TempFolder temp;
    PosixFileSystem files;
    fs::create_directory(temp / "folder");
    temp.write("file", "x");
    fs::create_directory_symlink(temp / "folder", temp / "link to folder");
    fs::create_symlink(temp / "file", temp / "link to file");
    fs::create_symlink(temp / "gone", temp / "dangling");
    fs::create_symlink(temp / "loop", temp / "loop");
    ASSERT_EQ(::mkfifo((temp / "fifo").c_str(), 0600), 0);

    EXPECT_EQ(files.kindOf(temp / "folder"), PathKind::Folder);
    EXPECT_EQ(files.kindOf(temp / "link to folder"), PathKind::Folder);
    EXPECT_EQ(files.kindOf(temp / "file"), PathKind::File);
    EXPECT_EQ(files.kindOf(temp / "link to file"), PathKind::File);
    EXPECT_EQ(files.kindOf(temp / "dangling"), PathKind::BrokenLink);
    EXPECT_EQ(files.kindOf(temp / "loop"), PathKind::BrokenLink);
    EXPECT_EQ(files.kindOf(temp / "fifo"), PathKind::Other);
    EXPECT_EQ(files.kindOf(temp / "missing"), PathKind::Missing);
    EXPECT_EQ(files.kindOf(temp / "file/below"), PathKind::Unreachable);
}

TEST(PosixFileSystemTest, writesNeverReplaceNorFollowWhatIsThereUnlessAskedTo) {
    TempFolder temp;
    PosixFileSystem files;
    const std::string source = temp.write("source", "whole list\r\n");
    temp.write("kept", "the user's\r\n");
    fs::create_symlink(temp / "elsewhere", temp / "dangling");

    EXPECT_TRUE(files.copyToNewFile(source, temp / "copy").ok());
    EXPECT_EQ(readText(temp / "copy"), "whole list\r\n");
    EXPECT_EQ(files.copyToNewFile(source, temp / "kept").fault, FileFault::AlreadyExists);
    EXPECT_EQ(files.copyToNewFile(source, temp / "dangling").fault, FileFault::AlreadyExists);
    EXPECT_FALSE(fs::exists(temp / "elsewhere"));
    // A FIFO as the source is refused, not waited on.
    ASSERT_EQ(::mkfifo((temp / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(files.copyToNewFile(temp / "fifo", temp / "from fifo").fault, FileFault::NotAFile);

    EXPECT_EQ(files.renameFile(temp / "copy", temp / "kept", false).fault,
              FileFault::AlreadyExists);
    EXPECT_EQ(files.renameFile(temp / "copy", temp / "dangling", false).fault,
              FileFault::AlreadyExists);
    EXPECT_EQ(readText(temp / "kept"), "the user's\r\n");
    EXPECT_TRUE(files.renameFile(temp / "copy", temp / "new", false).ok());
    EXPECT_TRUE(files.renameFile(temp / "new", temp / "kept", true).ok());
    EXPECT_EQ(readText(temp / "kept"), "whole list\r\n");

    std::string bytes;
    EXPECT_EQ(files.readFile(temp / "kept", 5, bytes).fault, FileFault::TooLarge);
    EXPECT_TRUE(files.readFile(temp / "kept", 12, bytes).ok());
    EXPECT_EQ(bytes, "whole list\r\n");
    EXPECT_EQ(files.makeFolder(temp / "kept").fault, FileFault::AlreadyExists);
    EXPECT_EQ(files.makeFolder(temp / "no/such").fault, FileFault::NotFound);
}

TEST(PosixFileSystemTest, aFolderLockHoldsOffOtherProcessesUntilReleased) {
    TempFolder temp;
    PosixFileSystem files;
    // flock belongs to an open folder: another opening of it is what another
    // process has.
    const int other = ::open(temp.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(other, 0);
    {
        const auto lock = files.lockFolder(temp.path());
        ASSERT_NE(lock, nullptr);
        EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
    }
    EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);
    EXPECT_EQ(files.lockFolder(temp / "missing"), nullptr);
}

// The core on the real file system: a first start that a full disk cut
// short (the file size limit stands in for it, in a child process) leaves
// no list at all, and the next start fills the folder whole.
TEST(PosixFileSystemTest, aFirstStartCutShortLeavesNoHalfListAndTheNextOneFillsTheFolder) {
    TempFolder temp;
    fs::create_directory(temp / "Documents");
    fs::create_directory(temp / "delivered");
    const std::string longList(256 * 1024, 'x');
    for (const auto& name : kFiles) {
        temp.write("delivered/" + name, name == "buslist.txt" ? longList : name);
    }
    const std::string folder = temp / "Documents/TALLYWICK";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &small);
        PosixFileSystem files;
        const auto problem = ListFolder(files, temp / "Documents", temp / "delivered").prepare();
        const bool told = problem && problem->find("buslist.txt cannot be copied into it: File "
                                                   "too large.") != std::string::npos;
        ::_exit(told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "no message naming the copy";
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_FALSE(fs::exists(folder + "/buslist.txt"));

    // What a power cut leaves: a part of a copy under its temporary name.
    temp.write("Documents/TALLYWICK/" + ListFolder::partialName("buslist.txt"), "xxx");
    PosixFileSystem files;
    EXPECT_EQ(ListFolder(files, temp / "Documents", temp / "delivered").prepare(), std::nullopt);
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"bushelp.txt", "buslist.txt", "buslistb.txt",
                                               "buslistc.txt"}));
    EXPECT_EQ(readText(folder + "/buslist.txt"), longList);
}

} // namespace
} // namespace tallywick
