// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixListFileSource.h"

#include "FakeListFiles.h"
#include "TempFolder.h"
#include "base/RunTimeError.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/inotify.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallywick {
namespace {

using testing::TempFolder;

// The error number opening the path raises, or 0 when it opens.
int openError(const std::string& path) {
    PosixListFileSource source;
    try {
        (void)source.open(path);
        return 0;
    } catch (const RunTimeError& error) {
        return static_cast<int>(error.number());
    }
}

TEST(PosixListFileSourceTest, readsARegularFileToItsEnd) {
    TempFolder folder;
    const std::string file = folder.write("buslist.txt", "Alpha\r\n\"B, C\"\r\n");
    PosixListFileSource source;
    EXPECT_EQ(testing::loadEntryTexts(source, file), (std::vector<std::string>{"Alpha", "B, C"}));

    // Large files come through in pieces: every entry arrives whole, in
    // place, whatever piece it straddles.
    std::vector<std::string> entries;
    std::string text;
    for (int i = 0; i < 30000; ++i) {
        entries.push_back("Card " + std::to_string(i * 7919));
        text += entries.back() + (i % 3 == 0 ? "\n" : "\r\n");
    }
    EXPECT_EQ(testing::loadEntryTexts(source, folder.write("buslistb.txt", text)), entries);
}

TEST(PosixListFileSourceTest, unusableNamesRaiseTheirErrorsWithoutBlocking) {
    TempFolder folder;
    EXPECT_EQ(openError(folder / "missing.txt"), 53);
    ASSERT_EQ(::symlink((folder / "nowhere").c_str(), (folder / "dangling").c_str()), 0);
    EXPECT_EQ(openError(folder / "dangling"), 53);
    ASSERT_EQ(::mkdir((folder / "folder").c_str(), 0755), 0);
    EXPECT_EQ(openError(folder / "folder"), 75);
    // A FIFO with no writer would block a plain open for ever.
    ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
    EXPECT_EQ(openError(folder / "fifo"), 75);
}

// Opening a device can have effects of its own, so whatever is no regular
// file is refused without being opened; the kernel reports every open of a
// watched file. The FIFO and the device (a null device, which root may make)
// are the test's own, so that no other process's opens are counted. Last, the
// name is made to lead to the FIFO right after it was looked at, as a process
// swapping names in the list folder could: what is opened for reading is the
// file that was looked at, and the FIFO is not opened then either.
TEST(PosixListFileSourceTest, whatIsNoRegularFileIsNeverOpenedNotEvenWhenSwappedInAfterTheLook) {
    TempFolder folder;
    std::vector<std::string> specials = {folder / "fifo"};
    ASSERT_EQ(::mkfifo(specials[0].c_str(), 0600), 0);
    if (::mknod((folder / "device").c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0) {
        specials.push_back(folder / "device");
        ASSERT_EQ(::symlink((folder / "device").c_str(), (folder / "buslist.txt").c_str()), 0);
        specials.push_back(folder / "buslist.txt");
    }
    const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    for (std::size_t i = 0; i < std::min<std::size_t>(specials.size(), 2); ++i) {
        ASSERT_GE(::inotify_add_watch(watch, specials[i].c_str(), IN_OPEN), 0);
    }
    for (const std::string& special : specials) {
        EXPECT_EQ(openError(special), 75) << special;
    }
    EXPECT_EQ(openError("/dev/null"), 75);

    const std::string list = folder.write("buslistb.txt", "Looked at\r\n");
    LookedAtListFile looked(list);
    ASSERT_EQ(::rename(list.c_str(), (folder / "elsewhere.txt").c_str()), 0);
    ASSERT_EQ(::rename(specials[0].c_str(), list.c_str()), 0);
    std::array<char, 64> text{};
    try {
        const auto file = looked.openForReading();
        EXPECT_EQ(std::string(text.data(), file->read(text.data(), text.size())), "Looked at\r\n");
    } catch (const RunTimeError& error) {
        ADD_FAILURE() << error.description();
    }
    std::array<char, 4096> events{};
    EXPECT_LT(::read(watch, events.data(), events.size()), 0) << "a device or FIFO was opened";
    ::close(watch);
}

// A file held by a descriptor that reads nothing is opened for reading
// through /proc; without it, the file is refused rather than opened by its
// name again. /proc is hidden in a mount namespace of a child's own.
TEST(PosixListFileSourceTest, withoutProcAListFileIsRefusedNotOpenedByItsName) {
    TempFolder folder;
    const std::string list = folder.write("buslist.txt", "x");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool hidden =
            (::unshare(CLONE_NEWNS) == 0 || ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0) &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            ::mount("none", "/proc", "tmpfs", 0, nullptr) == 0;
        if (!hidden) {
            ::_exit(99);
        }
        try {
            (void)PosixListFileSource().open(list);
            ::_exit(1);
        } catch (const RunTimeError& error) {
            ::_exit(error.description() == "Path/File access error: " + list +
                                               " cannot be opened safely without /proc"
                        ? 0
                        : 2);
        }
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 99) {
        GTEST_SKIP() << "no mount namespace of its own for a child here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: opened, 2: another error";
}

// A file is bounded by what it gives, not by what it claims: a sparse file
// claims 100 GB and reads as zeros, /proc/self/pagemap claims nothing and
// reads for ever.
TEST(PosixListFileSourceTest, fileLargerThan64MBIsRefusedWhateverItClaims) {
    TempFolder folder;
    const std::string sparse = folder.write("buslist.txt", "");
    ASSERT_EQ(::truncate(sparse.c_str(), off_t{100} << 30), 0);
    ASSERT_EQ(::symlink("/proc/self/pagemap", (folder / "buslistb.txt").c_str()), 0);
    for (const std::string& file : {sparse, folder / "buslistb.txt"}) {
        PosixListFileSource source;
        try {
            (void)loadListEntries(source, file);
            ADD_FAILURE() << file << " was read";
        } catch (const RunTimeError& error) {
            EXPECT_EQ(error.description(), "Out of memory: " + file + " is larger than 64 MB");
        }
    }
}

TEST(PosixListFileSourceTest, readFailureIsDeviceError) {
    // A regular file whose first read fails: the process's own memory, at an
    // address that is not mapped.
    TempFolder folder;
    ASSERT_EQ(::symlink("/proc/self/mem", (folder / "buslist.txt").c_str()), 0);
    PosixListFileSource source;
    try {
        (void)loadListEntries(source, folder / "buslist.txt");
        FAIL() << "a failed read went unnoticed";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(static_cast<int>(error.number()), 57);
        EXPECT_EQ(error.description(), "Device I/O error: " + (folder / "buslist.txt"));
    }
}

TEST(PosixListFileSourceTest, unreadableFileIsPermissionDeniedEvenForRoot) {
    TempFolder folder;
    ::chmod(folder.path().c_str(), 0755);
    const std::string file = folder.write("buslist.txt", "secret");
    ASSERT_EQ(::chmod(file.c_str(), 0), 0);
    // Root reads everything: try as an ordinary user in a child process.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            ::_exit(99);
        }
        ::_exit(openError(file));
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 70);
}

TEST(PosixListFileSourceTest, openFileIsNotInheritedByLaunchedPrograms) {
    TempFolder folder;
    const std::string file = folder.write("buslist.txt", "x");
    PosixListFileSource source;
    const auto opened = source.open(file);
    EXPECT_EQ(testing::closeOnExecFlagsOf(file), std::vector<bool>{true});
}

} // namespace
} // namespace tallywick
