// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/FlockInstanceGuard.h"

#include "TempFolder.h"

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tallywick {
namespace {

using testing::TempFolder;

TEST(FlockInstanceGuardTest, secondClaimFailsUntilTheFirstCopyEnds) {
    TempFolder folder;
    const std::string lock = folder / "tallywick.lock";
    auto first = std::make_unique<FlockInstanceGuard>(lock);
    ASSERT_TRUE(first->claim());
    FlockInstanceGuard second(lock);
    EXPECT_FALSE(second.claim());
    first.reset();
    EXPECT_TRUE(second.claim());

    struct stat status {};
    ASSERT_EQ(::stat(lock.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
}

TEST(FlockInstanceGuardTest, crashedCopyNeverBlocksTheNextStart) {
    TempFolder folder;
    const std::string lock = folder / "tallywick.lock";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FlockInstanceGuard guard(lock);
        if (!guard.claim()) {
            ::_exit(1);
        }
        std::abort(); // no destructor, no unlock
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    FlockInstanceGuard next(lock);
    EXPECT_TRUE(next.claim());
}

TEST(FlockInstanceGuardTest, lockIsNotFollowedThroughALinkNorHandedToChildren) {
    TempFolder folder;
    const std::string victim = folder.write("victim", "keep me");
    const std::string lock = folder / "tallywick.lock";
    ASSERT_EQ(::symlink(victim.c_str(), lock.c_str()), 0);
    FlockInstanceGuard guard(lock);
    EXPECT_TRUE(guard.claim()) << "a lock that cannot be made must not stop the program";
    EXPECT_EQ(testing::readText(victim), "keep me");

    // A launched program must not keep the lock alive after we end.
    const std::string realLock = folder / "real.lock";
    FlockInstanceGuard real(realLock);
    ASSERT_TRUE(real.claim());
    EXPECT_EQ(testing::closeOnExecFlagsOf(realLock), std::vector<bool>{true});
}

// In a shared temporary folder another user can make our lock file first and
// hold it: the program must start all the same, and never lock their file.
TEST(FlockInstanceGuardTest, lockFileOfAnotherUserIsLeftAlone) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving the lock file to another user needs root";
    }
    TempFolder folder;
    const std::string lock = folder.write("tallywick.lock", "");
    ASSERT_EQ(::chmod(lock.c_str(), 0600), 0);
    ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
    {
        FlockInstanceGuard guard(lock);
        EXPECT_TRUE(guard.claim());
        EXPECT_TRUE(testing::closeOnExecFlagsOf(lock).empty()) << "the guard kept the file open";
    }
    const int theirs = ::open(lock.c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(theirs, 0);
    ASSERT_EQ(::flock(theirs, LOCK_EX | LOCK_NB), 0);
    FlockInstanceGuard guard(lock);
    EXPECT_TRUE(guard.claim()) << "another user's lock passed for a copy of ours";
    ::close(theirs);
}

TEST(FlockInstanceGuardTest, lockLivesInTheRuntimeFolderElseInTmp) {
    TempFolder folder;
    ::setenv("XDG_RUNTIME_DIR", folder.path().c_str(), 1);
    EXPECT_EQ(FlockInstanceGuard::defaultLockPath(), folder / "tallywick.lock");
    ::setenv("XDG_RUNTIME_DIR", (folder / "missing").c_str(), 1);
    ::unsetenv("TMPDIR");
    EXPECT_EQ(FlockInstanceGuard::defaultLockPath(),
              "/tmp/tallywick-" + std::to_string(::getuid()) + ".lock");
    ::unsetenv("XDG_RUNTIME_DIR");
    EXPECT_EQ(FlockInstanceGuard::defaultLockPath(),
              "/tmp/tallywick-" + std::to_string(::getuid()) + ".lock");
}

} // namespace
} // namespace tallywick
