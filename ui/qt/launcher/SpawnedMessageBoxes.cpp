// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/launcher/SpawnedMessageBoxes.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

extern char** environ;

namespace tallywick {

SpawnedMessageBoxes::SpawnedMessageBoxes(std::string boxProgram)
    : boxProgram_(std::move(boxProgram)) {}

void SpawnedMessageBoxes::show(const MessageBoxRequest& request) {
    std::fprintf(stderr, "%s\n", request.text.c_str());
    std::fflush(stderr);

    posix_spawn_file_actions_t actions{};
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    char* const argv[] = {const_cast<char*>(boxProgram_.c_str()),
                          const_cast<char*>(request.text.c_str()), nullptr};
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, boxProgram_.c_str(), &actions, nullptr, argv, environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "(%s cannot show it)\n", boxProgram_.c_str());
        return;
    }
    // The box is modal: the launcher goes on once the user has dismissed it.
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace tallywick
