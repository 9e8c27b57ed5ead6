// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixDesktop.h"

#include "TempFolder.h"
#include "platform/posix/ProgramOutput.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tallywick {
namespace {

using testing::readText;
using testing::TempFolder;
namespace fs = std::filesystem;

std::string script(const TempFolder& temp, const std::string& name, const std::string& body) {
    const std::string path = temp.write(name, "#!/bin/sh\n" + body + "\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

// Sets environment variables for one test and puts the old values back.
class Environment {
public:
    Environment(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value != nullptr ? std::optional<std::string>(value)
                                                       : std::nullopt);
        }
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    ~Environment() {
        for (const auto& [name, value] : saved_) {
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
        }
    }
    void set(const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST(PosixDesktopTest, documentsFolderIsWhatXdgUserDirSaysOrTheHomeFolder) {
    TempFolder temp;
    Environment environment{"HOME", "XDG_CONFIG_HOME", "PATH"};
    PosixDesktop desktop("/nonexistent/tallywick");
    fs::create_directories(temp / "config");
    environment.set("HOME", temp / "home");
    environment.set("XDG_CONFIG_HOME", temp / "config");
    // No documents folder set: the home folder.
    EXPECT_EQ(desktop.documentsFolder().path, temp / "home");

    temp.write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Mes documents\"\n");
    const DocumentsFolder documents = desktop.documentsFolder();
    EXPECT_EQ(documents.path, temp / "home/Mes documents");
    EXPECT_EQ(documents.failure, "");

    temp.write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"Documents\"\n");
    EXPECT_EQ(desktop.documentsFolder().failure,
              "xdg-user-dir names \"Documents\", which is no absolute path");

    environment.set("PATH", temp / "nowhere");
    EXPECT_EQ(desktop.documentsFolder().failure,
              "xdg-user-dir (of the xdg-user-dirs package) is not installed");
}

TEST(PosixDesktopTest, aProgramsOutputIsBoundedInTimeAndSize) {
    TempFolder temp;
    const auto start = std::chrono::steady_clock::now();
    const ProgramOutput hung = runForOutput(script(temp, "hang", "exec sleep 60"), {},
                                            std::chrono::milliseconds(300), 100);
    EXPECT_FALSE(hung.finished);
    EXPECT_EQ(hung.failure, "it did not answer in time");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));

    const ProgramOutput flood =
        runForOutput(script(temp, "flood", "exec yes"), {}, std::chrono::seconds(30), 100);
    EXPECT_EQ(flood.failure, "it wrote more than a path");

    EXPECT_EQ(
        runForOutput(script(temp, "fails", "echo /x; exit 3"), {}, std::chrono::seconds(30), 100)
            .failure,
        "it failed");
}

// The program replaces the launcher in the folder, or the launcher says why
// not (each in a child process: the test's own folder stays where it is).
TEST(PosixDesktopTest, theProgramBecomesThisProcessInTheFolder) {
    TempFolder temp;
    fs::create_directory(temp / "lists");
    const std::string program = script(temp, "program", "pwd >\"$0.ran\"; exit 7");
    const auto runChild = [](const std::function<int()>& body) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(body());
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(runChild([&] {
                  PosixDesktop desktop(program);
                  return desktop.startProgram(temp / "lists") ? 1 : 0;
              }),
              7);
    EXPECT_EQ(readText(program + ".ran"), (temp / "lists") + "\n");

    EXPECT_EQ(runChild([&] {
                  PosixDesktop desktop(temp / "missing");
                  const auto failure = desktop.startProgram(temp / "lists");
                  return failure == (temp / "missing") + " cannot be run: No such file or directory"
                             ? 0
                             : 1;
              }),
              0);
    EXPECT_EQ(runChild([&] {
                  PosixDesktop desktop(program);
                  const auto failure = desktop.startProgram(temp / "gone");
                  return failure && failure->starts_with("The folder cannot be entered: ") ? 0 : 1;
              }),
              0);
}

} // namespace
} // namespace tallywick
