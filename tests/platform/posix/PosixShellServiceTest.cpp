// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/PosixShellService.h"

#include "TempFolder.h"
#include "base/RunTimeError.h"

#include <chrono>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tallywick {
namespace {

using namespace std::chrono_literals;

// The value the shell answered with, as the Windows shell's numbers.
std::int32_t number(ShellResult result) {
    return static_cast<std::int32_t>(result);
}
using testing::readText;
using testing::TempFolder;

std::string script(const TempFolder& folder, const std::string& name, const std::string& body) {
    const std::string path = folder.write(name, "#!/bin/sh\n" + body + "\n");
    ::chmod(path.c_str(), 0755);
    return path;
}

// Waits (bounded) until the file holds at least the given number of lines.
std::vector<std::string> waitForLines(const std::string& file, std::size_t count) {
    std::vector<std::string> lines;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        lines.clear();
        std::istringstream text(readText(file));
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        if (lines.size() >= count) {
            break;
        }
        std::this_thread::sleep_for(10ms);
    }
    return lines;
}

// Children of this process that have ended but were never reaped.
int zombieChildren() {
    int zombies = 0;
    DIR* proc = ::opendir("/proc");
    while (const dirent* entry = ::readdir(proc)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9') {
            continue;
        }
        const std::string stat = readText(std::string("/proc/") + entry->d_name + "/stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos) {
            continue;
        }
        char state = 0;
        int parent = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d", &state, &parent) == 2 &&
            parent == ::getpid() && state == 'Z') {
            ++zombies;
        }
    }
    ::closedir(proc);
    return zombies;
}

int openDescriptors() {
    int count = 0;
    DIR* fds = ::opendir("/proc/self/fd");
    while (::readdir(fds) != nullptr) {
        ++count;
    }
    ::closedir(fds);
    return count;
}

LaunchRequest open(const std::string& file, const std::string& parameters = {},
                   const std::string& directory = {}) {
    return {0, "Open", file, parameters, directory, 1};
}

TEST(PosixShellServiceTest, startsAProgramWithSplitParametersInItsFolder) {
    TempFolder folder;
    const std::string log = folder / "log";
    const std::string program = script(
        folder, "program", "printf '%s\\n' \"$PWD\" \"$@\" \"$(readlink /proc/$$/fd/0)\" >" + log);
    PosixShellService shell;
    EXPECT_GT(number(shell.execute(open(program, "one \"two words\" ;$HOME", folder.path()))), 32);
    const auto lines = waitForLines(log, 5);
    EXPECT_EQ(lines, (std::vector<std::string>{folder.path().string(), "one", "two words", ";$HOME",
                                               "/dev/null"}));
}

TEST(PosixShellServiceTest, unusableDirectoryLeavesTheChildInOurFolder) {
    TempFolder folder;
    const std::string log = folder / "log";
    const std::string program = script(folder, "program", "pwd >" + log);
    PosixShellService shell;
    EXPECT_GT(number(shell.execute(open(program, {}, "0"))), 32);
    char here[4096];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    EXPECT_EQ(waitForLines(log, 1), std::vector<std::string>{here});
}

TEST(PosixShellServiceTest, refusalsAnswerWithWindowsShellCodes) {
    TempFolder folder;
    PosixShellService shell(PosixShellService::Options{200ms, "no-such-opener-anywhere"});
    EXPECT_EQ(number(shell.execute(open(""))), 2);
    EXPECT_EQ(number(shell.execute(open(folder / "missing.txt"))), 2);
    EXPECT_EQ(number(shell.execute(open(folder / "no-folder/missing.txt"))), 3);
    EXPECT_EQ(number(shell.execute(open("no-such-program-on-path-anywhere"))), 2);
    EXPECT_EQ(number(shell.execute(open("c:\\program files\\Internet Explorer\\IEXPLORE.EXE"))), 2);
    EXPECT_EQ(number(shell.execute({0, "print", "https://a.example/", {}, {}, 1})), 31);
    // No opener installed: web addresses and documents have no application.
    EXPECT_EQ(number(shell.execute(open("https://a.example/"))), 31);
    EXPECT_EQ(number(shell.execute({0, std::nullopt, "https://a.example/", {}, "c:\\", 1})), 31);
    EXPECT_EQ(number(shell.execute(open(folder.write("doc.txt", "text")))), 31);
}

// Each way a program can fail to start, and what the shell answers for it.
TEST(PosixShellServiceTest, eachFailureToStartAProgramHasItsAnswer) {
    TempFolder folder;
    const std::string plain = folder.write("plain.txt", "not a program");
    const auto program = [&](const std::string& name, const std::string& bytes) {
        const std::string path = folder.write(name, bytes);
        ::chmod(path.c_str(), 0755);
        return path;
    };
    PosixShellService shell;
    // The interpreter it names is missing, lies below a file, or may not run.
    EXPECT_EQ(number(shell.execute(open(program("a", "#!" + (folder / "none") + "\n")))), 2);
    EXPECT_EQ(number(shell.execute(open(program("b", "#!" + plain + "/sh\n")))), 3);
    EXPECT_EQ(number(shell.execute(open(program("c", "#!" + plain + "\n")))), 5);
    // No program format the system knows.
    EXPECT_EQ(number(shell.execute(open(program("d", std::string("\x7F\x01junk", 6))))), 11);
    // Any other refusal: an argument longer than the system takes.
    EXPECT_EQ(number(shell.execute(open(program("e", "#!/bin/sh\n"), std::string(1 << 20, 'x')))),
              0);
    // No process can be made at all: a run-time error, not an answer. As an
    // ordinary user allowed no process of its own, in a child of the test.
    const std::string child = program("f", "#!/bin/sh\n");
    ::chmod(folder.path().c_str(), 0755);
    const pid_t tester = ::fork();
    ASSERT_GE(tester, 0);
    if (tester == 0) {
        const rlimit none{0, 0};
        if ((::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ||
            ::setrlimit(RLIMIT_NPROC, &none) != 0) {
            ::_exit(99);
        }
        try {
            const ShellResult result = PosixShellService().execute(open(child));
            ::_exit(100 + static_cast<int>(result));
        } catch (const RunTimeError& error) {
            ::_exit(static_cast<int>(error.number()));
        }
    }
    int status = 0;
    ASSERT_EQ(::waitpid(tester, &status, 0), tester);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
}

// Runs in the folder given, with PATH set so, and goes back.
class InFolder {
public:
    InFolder(const std::string& folder, const char* path) : previousPath_(std::getenv("PATH")) {
        if (::getcwd(here_, sizeof here_) == nullptr || ::chdir(folder.c_str()) != 0) {
            std::abort();
        }
        path != nullptr ? ::setenv("PATH", path, 1) : ::unsetenv("PATH");
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    ~InFolder() {
        ::setenv("PATH", previousPath_.c_str(), 1);
        if (::chdir(here_) != 0) {
            std::abort();
        }
    }

private:
    char here_[4096]{};
    std::string previousPath_;
};

// The working folder is the user's list folder, which may come from an
// archive: a program planted there under the name of one the program starts
// must never run, nor be handed to the opener, however PATH leads there.
TEST(PosixShellServiceTest, bareNamesAreFoundOnPathOnlyNeverInTheWorkingFolder) {
    TempFolder folder;
    const std::string lists = folder / "lists";
    const std::string bin = folder / "bin";
    ASSERT_EQ(::mkdir(lists.c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((lists + "/sub").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir(bin.c_str(), 0755), 0);
    ASSERT_EQ(::symlink(lists.c_str(), (folder / "link").c_str()), 0);
    ASSERT_EQ(::symlink((lists + "/sub").c_str(), (folder / "linkIntoSub").c_str()), 0);
    const std::string ran = folder / "ran";
    // It records what it was handed, and the PATH it was given.
    script(folder, "bin/xdg-open", "printf '%s %s\\n' \"$1\" \"$PATH\" >>" + ran);
    // Empty and relative entries, the folder's own path, links to it and
    // into it, and the process's own view of it all lead there.
    const std::string path = ":.:lists:" + lists + ":" + folder / "link" +
                             ":/proc/self/cwd:" + lists + "/sub:" + folder / "linkIntoSub" + ":" +
                             bin;
    const InFolder inLists(lists, path.c_str());

    std::size_t launches = 0;
    for (const std::string planted : {"program", "plain file", "folder"}) {
        SCOPED_TRACE(planted);
        for (const std::string in : {"lists", "lists/sub"}) {
            if (planted == "program") {
                script(folder, in + "/xdg-open", "echo planted >>" + ran);
            } else if (planted == "plain file") {
                folder.write(in + "/xdg-open", "planted");
            } else {
                ASSERT_EQ(::mkdir((folder / in + "/xdg-open").c_str(), 0755), 0);
            }
        }
        PosixShellService shell(PosixShellService::Options{2000ms, {}});
        // One at a time, so that what they write comes in order.
        EXPECT_GT(number(shell.execute({0, "Open", "xdg-open", "bushelp.txt", "0", 1})), 32);
        ASSERT_EQ(waitForLines(ran, ++launches).size(), launches);
        EXPECT_GT(number(shell.execute({0, std::nullopt, "https://a.example/", {}, "c:\\", 1})),
                  32);
        ASSERT_EQ(waitForLines(ran, ++launches).size(), launches);
        for (const std::string in : {"lists", "lists/sub"}) {
            ::unlink((folder / in + "/xdg-open").c_str());
            ::rmdir((folder / in + "/xdg-open").c_str());
        }
    }
    // Each handed over by what it names, given PATH without the entries
    // that lead into the working folder.
    const std::string viewer = "bushelp.txt " + bin;
    const std::string browser = "https://a.example/ " + bin;
    const std::vector<std::string> expected = {viewer, browser, viewer, browser, viewer, browser};
    EXPECT_EQ(waitForLines(ran, 6), expected);
    // With no such program elsewhere, the one in the working folder is not
    // taken either.
    script(folder, "lists/tallywick-planted", "echo planted >>" + ran);
    for (const char* only : {":.", "/proc/self/cwd"}) {
        ::setenv("PATH", only, 1);
        PosixShellService shell(PosixShellService::Options{200ms, "tallywick-planted"});
        EXPECT_EQ(number(shell.execute({0, "Open", "tallywick-planted", "x", "0", 1})), 2);
        EXPECT_EQ(number(shell.execute({0, std::nullopt, "https://a.example/", {}, "c:\\", 1})),
                  31);
    }
    EXPECT_EQ(waitForLines(ran, 6), expected);
    // Started in the root folder, as some desktops start programs, the root
    // folder itself is left out, not the whole system below it.
    const std::string fromRoot = "/:/proc/self/cwd:" + bin;
    const InFolder inRoot("/", fromRoot.c_str());
    EXPECT_GT(
        number(PosixShellService().execute({0, std::nullopt, "https://a.example/", {}, "c:\\", 1})),
        32);
    EXPECT_EQ(waitForLines(ran, 7).back(), browser);
}

// Something of the program's name on PATH that is no program it can start
// is passed over for the program further on.
TEST(PosixShellServiceTest, whatIsNoProgramOnPathIsPassedOver) {
    TempFolder folder;
    for (const char* bin : {"work", "folder", "plain", "dangling", "unreadable", "real"}) {
        ASSERT_EQ(::mkdir((folder / bin).c_str(), 0755), 0);
    }
    ASSERT_EQ(::mkdir((folder / "folder/xdg-open").c_str(), 0755), 0);
    folder.write("plain/xdg-open", "#!/bin/sh\necho plain >>" + folder / "ran" + "\n");
    ASSERT_EQ(::symlink((folder / "gone").c_str(), (folder / "dangling/xdg-open").c_str()), 0);
    ASSERT_EQ(::mkfifo((folder / "unreadable/xdg-open").c_str(), 0755), 0);
    script(folder, "real/xdg-open", "echo \"real $1\" >>" + folder / "ran");
    const std::string path = folder / "folder" + ":" + folder / "plain" + ":" +
                             folder / "dangling" + ":" + folder / "unreadable" + ":" +
                             folder / "real";
    const InFolder inWork(folder / "work", path.c_str());
    PosixShellService shell(PosixShellService::Options{2000ms, {}});
    EXPECT_GT(number(shell.execute({0, std::nullopt, "https://a.example/", {}, "c:\\", 1})), 32);
    EXPECT_EQ(waitForLines(folder / "ran", 1), std::vector<std::string>{"real https://a.example/"});
}

// Started programs get the folders we search as their PATH, and never none:
// shells read an empty or missing PATH as one that holds the current folder.
TEST(PosixShellServiceTest, startedProgramsGetASearchPathThatAvoidsTheWorkingFolder) {
    TempFolder folder;
    const std::string log = folder / "log";
    const std::string program = script(folder, "program", "printf '%s\\n' \"$PATH\" >>" + log);
    const std::string lists = folder / "lists";
    ASSERT_EQ(::mkdir(lists.c_str(), 0755), 0);
    std::size_t runs = 0;
    for (const char* path : {static_cast<const char*>(nullptr), "", ":.:", "/proc/self/cwd"}) {
        SCOPED_TRACE(path != nullptr ? path : "(unset)");
        const InFolder inLists(lists, path);
        ASSERT_GT(number(PosixShellService().execute(open(program))), 32);
        const auto lines = waitForLines(log, ++runs);
        ASSERT_EQ(lines.size(), runs);
        const std::string& given = lines.back();
        EXPECT_TRUE(given.starts_with('/')) << given;
        EXPECT_EQ(given.find("::"), std::string::npos) << given;
        EXPECT_FALSE(given.ends_with(':')) << given;
        EXPECT_EQ(given.find(lists), std::string::npos) << given;
    }
}

// An application's desktop entry starts its program as its Exec line says,
// with the parameter's files by absolute path; one that cannot open a file
// in a window of its own starts nothing, and neither does an entry or a
// program of the working folder, even named by its path.
TEST(PosixShellServiceTest, desktopEntryStartsItsApplicationWithTheFiles) {
    TempFolder folder;
    const std::string log = folder / "log";
    const std::string viewer =
        script(folder, "viewer", "printf '%s|' \"$PWD\" \"$@\" >>" + log + "; echo >>" + log);
    const auto entry = [&](const std::string& name, const std::string& extra) {
        return folder.write(name, "[Desktop Entry]\nType=Application\nName=Viewer\nExec=\"" +
                                      viewer + "\" --title \"%c\" %f\n" + extra);
    };
    const std::string app = entry("viewer.desktop", "");
    ASSERT_EQ(::mkdir((folder / "lists").c_str(), 0755), 0);
    const InFolder inLists(folder / "lists", std::getenv("PATH"));
    PosixShellService shell;
    EXPECT_GT(number(shell.execute({0, "Open", app, "bushelp.txt \"-x y\"", "0", 1})), 32);
    const std::string here = folder / "lists";
    EXPECT_EQ(waitForLines(log, 2),
              (std::vector<std::string>{here + "|--title|Viewer|" + here + "/bushelp.txt|",
                                        here + "|--title|Viewer|" + here + "/-x y|"}));
    EXPECT_EQ(number(shell.execute(open(entry("terminal.desktop", "Terminal=true\n"), "f"))), 31);
    EXPECT_EQ(number(shell.execute(open(entry("lists/in.desktop", ""), "f"))), 5);
    EXPECT_EQ(number(shell.execute(open(script(folder, "lists/program", "exit 0")))), 5);
    EXPECT_EQ(number(shell.execute(open(folder.write("broken.desktop", "[Desktop Entry\n"), "f"))),
              31);
    EXPECT_EQ(waitForLines(log, 2).size(), 2u);
}

TEST(PosixShellServiceTest, openerVerdictIsMappedAndAHangingOpenerHasHandedOver) {
    TempFolder folder;
    struct Case {
        std::string body;
        std::int32_t expected;
    };
    for (const Case& c : {Case{"exit 0", 42}, Case{"exit 2", 2}, Case{"exit 3", 31},
                          Case{"exit 4", 31}, Case{"kill -9 $$", 31}, Case{"sleep 1", 42}}) {
        SCOPED_TRACE(c.body);
        const std::string opener = script(folder, "opener", c.body);
        PosixShellService shell(PosixShellService::Options{300ms, opener});
        EXPECT_EQ(number(shell.execute({0, std::nullopt, "https://a.example/", {}, "c:\\", 1})),
                  c.expected);
    }
}

TEST(PosixShellServiceTest, webAddressReachesTheRegisteredBrowserThroughXdgOpen) {
    TempFolder folder;
    const char* scripts = std::getenv("TALLYWICK_TEST_SCRIPTS");
    ASSERT_NE(scripts, nullptr);
    ASSERT_EQ(
        std::system(
            ("bash " + std::string(scripts) + "/xdg-sandbox.sh " + folder.path().string()).c_str()),
        0);
    ::setenv("HOME", folder.path().c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (folder / "data").c_str(), 1);
    ::setenv("DISPLAY", ":99", 1); // xdg-open only uses handlers on a desktop
    ::unsetenv("WAYLAND_DISPLAY");

    PosixShellService shell(PosixShellService::Options{5000ms, {}});
    EXPECT_GT(number(shell.execute(
                  {0, std::nullopt, "https://www.tallywick.example/a?b=1&c=2", {}, "c:\\", 1})),
              32);
    const auto lines = waitForLines(folder / "record.log", 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(lines[0].ends_with("\thttps://www.tallywick.example/a?b=1&c=2")) << lines[0];
}

long residentKilobytes() {
    std::istringstream status(readText("/proc/self/status"));
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

TEST(PosixShellServiceTest, thousandLaunchesAreAllHandedOverWithoutLeaks) {
    TempFolder folder;
    const std::string programLog = folder / "program.log";
    const std::string openerLog = folder / "opener.log";
    const std::string program = script(folder, "program", "echo x >>" + programLog);
    // The recording handler stands in for the browser as the opener.
    const std::string opener = script(folder, "opener", "printf '%s\\n' \"$1\" >>" + openerLog);
    PosixShellService shell(PosixShellService::Options{2000ms, opener});
    // Warm up once so that lazily made library state is counted.
    ASSERT_GT(number(shell.execute(open(program))), 32);
    waitForLines(programLog, 1);
    const int descriptorsBefore = openDescriptors();
    [[maybe_unused]] const long residentBefore = residentKilobytes();

    for (int i = 0; i < 500; ++i) {
        ASSERT_GT(number(shell.execute(open(program))), 32);
        ASSERT_GT(number(shell.execute(open("https://a.example/" + std::to_string(i)))), 32);
    }
    EXPECT_EQ(waitForLines(programLog, 501).size(), 501u);
    const auto recorded = waitForLines(openerLog, 500);
    ASSERT_EQ(recorded.size(), 500u);
    EXPECT_EQ(recorded.back(), "https://a.example/499");
    int zombies = zombieChildren();
    for (int attempt = 0; zombies > 0 && attempt < 500; ++attempt) {
        std::this_thread::sleep_for(10ms);
        zombies = zombieChildren();
    }
    EXPECT_EQ(zombies, 0);
    EXPECT_EQ(openDescriptors(), descriptorsBefore);
#if !defined(__SANITIZE_ADDRESS__)
    // The address sanitizer holds freed memory back on purpose; elsewhere a
    // launch must leave nothing behind.
    EXPECT_LT(residentKilobytes() - residentBefore, 4096);
#endif
}

TEST(PosixShellServiceTest, launchedProgramsInheritNoDescriptor) {
    TempFolder folder;
    const std::string log = folder / "log";
    const int leaky = ::open("/dev/null", O_RDONLY); // no close-on-exec on purpose
    ASSERT_EQ(::dup2(leaky, 77), 77);
    const std::string program =
        script(folder, "program",
               "if [ -e /proc/$$/fd/77 ]; then echo open; else echo closed; fi >" + log);
    PosixShellService shell;
    EXPECT_GT(number(shell.execute(open(program))), 32);
    EXPECT_EQ(waitForLines(log, 1), std::vector<std::string>{"closed"});
    ::close(77);
    ::close(leaky);
}

} // namespace
} // namespace tallywick
