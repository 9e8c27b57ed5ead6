// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ProgramOutput.h"

#include "base/RunTimeError.h"
#include "platform/posix/SpawnSetup.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace tallywick {

namespace {

int waitFor(pid_t pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// The program's exit status, once it has ended before the deadline.
std::optional<int> endedBy(pid_t pid, std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        int status = 0;
        const pid_t got = ::waitpid(pid, &status, WNOHANG);
        if (got == pid) {
            return status;
        }
        if (got < 0 && errno != EINTR) {
            return std::nullopt;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Reads the pipe until it ends, the deadline passes or the limit is crossed.
// Empty when all went well; otherwise why not.
std::string collect(int fd, std::chrono::steady_clock::time_point deadline, std::size_t limit,
                    std::string& output) {
    std::array<char, 4096> buffer{};
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return "it did not answer in time";
        }
        pollfd watched{fd, POLLIN, 0};
        const int ready = ::poll(&watched, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) {
            return std::strerror(errno);
        }
        if (ready <= 0) {
            continue;
        }
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno != EINTR && errno != EAGAIN) {
            return std::strerror(errno);
        }
        if (got == 0) {
            return {};
        }
        if (got > 0) {
            if (static_cast<std::size_t>(got) > limit - output.size()) {
                return "it wrote more than a path";
            }
            output.append(buffer.data(), static_cast<std::size_t>(got));
        }
    }
}

} // namespace

ProgramOutput runForOutput(const std::string& program, const std::vector<std::string>& arguments,
                           std::chrono::milliseconds timeout, std::size_t limit) {
    ProgramOutput result;
    std::array<int, 2> pipeEnds{-1, -1};
    if (::pipe2(pipeEnds.data(), O_CLOEXEC) != 0) {
        result.failure = std::strerror(errno);
        return result;
    }
    pid_t pid = -1;
    int spawned = ENOMEM;
    try {
        const SpawnSetup setup(std::nullopt, pipeEnds[1]);
        std::vector<char*> argv = argumentVector(program, arguments);
        spawned = ::posix_spawn(&pid, program.c_str(), setup.actions(), setup.attributes(),
                                argv.data(), environ);
    } catch (const RunTimeError&) {
        // spawned stays ENOMEM.
    }
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        result.failure = std::strerror(spawned);
        return result;
    }

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string failure = collect(pipeEnds[0], deadline, limit, result.output);
    ::close(pipeEnds[0]);
    // Its output has ended; so has it, or it soon will.
    const std::optional<int> status =
        failure.empty() ? endedBy(pid, deadline) : std::optional<int>();
    if (!status) {
        ::kill(pid, SIGKILL);
        waitFor(pid);
        result.failure = failure.empty() ? "it did not end in time" : failure;
        return result;
    }
    if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0) {
        result.failure = "it failed";
        return result;
    }
    result.finished = true;
    return result;
}

} // namespace tallywick
