// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/SpawnSetup.h"

#include "base/RunTimeError.h"

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tallywick {

SpawnSetup::SpawnSetup(const std::optional<std::string>& folder, int output) {
    if (::posix_spawn_file_actions_init(&actions_) != 0) {
        throw RunTimeError(ErrorNumber::OutOfMemory);
    }
    if (::posix_spawnattr_init(&attributes_) != 0) {
        ::posix_spawn_file_actions_destroy(&actions_);
        throw RunTimeError(ErrorNumber::OutOfMemory);
    }
    ::posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (output >= 0) {
        ::posix_spawn_file_actions_adddup2(&actions_, output, STDOUT_FILENO);
    }
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Whatever descriptor slipped through without close-on-exec stays here.
    ::posix_spawn_file_actions_addclosefrom_np(&actions_, STDERR_FILENO + 1);
#endif
    if (folder) {
        ::posix_spawn_file_actions_addchdir_np(&actions_, folder->c_str());
    }
    sigset_t noSignals;
    sigemptyset(&noSignals);
    sigset_t allSignals;
    sigfillset(&allSignals);
    ::posix_spawnattr_setsigmask(&attributes_, &noSignals);
    ::posix_spawnattr_setsigdefault(&attributes_, &allSignals);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#if defined(POSIX_SPAWN_SETSID)
    // The started program lives on its own, away from our terminal.
    flags |= POSIX_SPAWN_SETSID;
#endif
    ::posix_spawnattr_setflags(&attributes_, flags);
}

SpawnSetup::~SpawnSetup() {
    ::posix_spawn_file_actions_destroy(&actions_);
    ::posix_spawnattr_destroy(&attributes_);
}

std::vector<char*> argumentVector(const std::string& program,
                                  const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

} // namespace tallywick
