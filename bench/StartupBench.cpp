// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// Whole-process start-up on an X display: each run starts a program in a
// working folder of its own with a fresh XDG_RUNTIME_DIR, waits until its
// window is mapped (viewable), lets it draw, ends it and reads its peak
// resident memory from the kernel's account of the ended process.
//
// The baseline (a QMainWindow with one text label, the least window that
// loads the font configuration), the delivered lists and typical lists of 0,
// 1,000, 10,000 and 32,767 entries take turns, run after run, so that any
// drift of the machine touches them all alike; an empty QMainWindow runs
// alongside for reference. Prints one tab-separated row per figure: figure,
// case, median, baseline, ratio, runs.
//
// The wait is on the X server's MapNotify events rather than on a polling
// tool: `xdotool search --sync` looks again only every half second.
//
// With --wine=LOADER the cases are the Windows program with the delivered
// lists and an empty Win32 window of the same cross build, each started by
// that Wine loader (in the prefix and with the server that the caller sets
// up), whose process carries the window.

#include "ListCorpus.h"
#include "base/DigitGrouping.h"
#include "base/ProductFacts.h"
#include "catalogue/ListFileLoader.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tallywick::bench {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr auto kMapTimeout = std::chrono::seconds(20);

struct Case {
    std::string label;
    std::string program;
    std::vector<std::string> arguments;
    fs::path folder;
    std::vector<double> milliseconds;
    std::vector<double> peakKilobytes;
};

struct Sample {
    double milliseconds;
    double peakKilobytes;
    double startedAt;       // steady clock, in milliseconds
    double cpuMilliseconds; // user and system time of the whole run
};

int ignoreXErrors(Display* /*display*/, XErrorEvent* /*error*/) {
    // Windows come and go while we look at them; a vanished one is no error.
    return 0;
}

class StartupTimer {
public:
    StartupTimer() : display_(XOpenDisplay(nullptr)) {
        if (display_ == nullptr) {
            throw std::runtime_error("cannot open the X display (is DISPLAY set?)");
        }
        XSetErrorHandler(ignoreXErrors);
        root_ = DefaultRootWindow(display_);
        pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
        XSelectInput(display_, root_, SubstructureNotifyMask);
        XSync(display_, True);
    }
    StartupTimer(const StartupTimer&) = delete;
    StartupTimer& operator=(const StartupTimer&) = delete;
    ~StartupTimer() { XCloseDisplay(display_); }

    Sample run(const Case& c, std::chrono::milliseconds settle) {
        char runtimeTemplate[] = "/tmp/tallywick-bench-runtime-XXXXXX";
        if (mkdtemp(runtimeTemplate) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        const fs::path runtime = runtimeTemplate;
        std::vector<std::string> environment;
        for (char** e = environ; *e != nullptr; ++e) {
            if (std::strncmp(*e, "XDG_RUNTIME_DIR=", 16) != 0) {
                environment.emplace_back(*e);
            }
        }
        environment.push_back("XDG_RUNTIME_DIR=" + runtime.string());
        std::vector<char*> envp;
        for (std::string& e : environment) {
            envp.push_back(e.data());
        }
        envp.push_back(nullptr);
        std::string program = c.program;
        std::vector<std::string> arguments = c.arguments;
        std::vector<char*> argv{program.data()};
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, c.folder.c_str());
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

        XSync(display_, True); // drop what earlier runs left in the queue
        pid_t pid = 0;
        const auto start = Clock::now();
        const int spawned =
            posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) {
            fs::remove_all(runtime);
            throw std::runtime_error("cannot start " + program + ": " + std::strerror(spawned));
        }
        const std::optional<Clock::time_point> mapped = waitForWindow(pid, start);
        if (mapped) {
            std::this_thread::sleep_for(settle);
        }
        ::kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
        }
        fs::remove_all(runtime);
        if (!mapped) {
            throw std::runtime_error(c.label + ": no window was mapped (exit status " +
                                     std::to_string(status) + ")");
        }
        const std::chrono::duration<double, std::milli> elapsed = *mapped - start;
        const std::chrono::duration<double, std::milli> startedAt = start.time_since_epoch();
        const auto toMs = [](const timeval& t) {
            return t.tv_sec * 1000.0 + t.tv_usec / 1000.0;
        };
        return {elapsed.count(), static_cast<double>(usage.ru_maxrss), startedAt.count(),
                toMs(usage.ru_utime) + toMs(usage.ru_stime)};
    }

private:
    // The moment a window of the process becomes viewable, or nothing if the
    // process ends or the time runs out first.
    std::optional<Clock::time_point> waitForWindow(pid_t pid, Clock::time_point start) {
        Window client = None;
        pollfd x{ConnectionNumber(display_), POLLIN, 0};
        for (;;) {
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type != MapNotify) {
                    continue;
                }
                // A window manager maps its frame on the root window; without
                // one the program's own window is mapped there.
                if (client == None) {
                    client = findWindowOf(event.xmap.window, pid, 0);
                    if (client != None) {
                        XSelectInput(display_, client, StructureNotifyMask);
                    }
                }
                if (client != None && viewable(client)) {
                    const auto now = Clock::now();
                    XSelectInput(display_, client, NoEventMask);
                    return now;
                }
            }
            if (Clock::now() - start > kMapTimeout) {
                return std::nullopt;
            }
            if (::poll(&x, 1, 10) == 0) {
                int status = 0;
                if (::waitpid(pid, &status, WNOHANG | WNOWAIT) == pid || ::kill(pid, 0) != 0) {
                    return std::nullopt;
                }
            }
        }
    }

    Window findWindowOf(Window window, pid_t pid, int depth) {
        if (windowPid(window) == pid) {
            return window;
        }
        if (depth == 3) {
            return None;
        }
        Window rootReturn = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(display_, window, &rootReturn, &parent, &children, &count) == 0) {
            return None;
        }
        Window found = None;
        for (unsigned i = 0; i < count && found == None; ++i) {
            found = findWindowOf(children[i], pid, depth + 1);
        }
        if (children != nullptr) {
            XFree(children);
        }
        return found;
    }

    pid_t windowPid(Window window) {
        Atom type = None;
        int format = 0;
        unsigned long items = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        pid_t pid = 0;
        if (XGetWindowProperty(display_, window, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format,
                               &items, &after, &data) == Success &&
            data != nullptr) {
            if (format == 32 && items == 1) {
                pid = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data));
            }
            XFree(data);
        }
        return pid;
    }

    bool viewable(Window window) {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display_, window, &attributes) != 0 &&
               attributes.map_state == IsViewable;
    }

    Display* display_;
    Window root_;
    Atom pidAtom_;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::string fixed(double value, int decimals) {
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << value;
    return out.str();
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

fs::path deliveredFolder(const fs::path& work, const fs::path& assets) {
    const fs::path folder = work / "delivered";
    fs::create_directories(folder);
    for (const std::string_view name : kListFileNames) {
        fs::copy_file(assets / name, folder / name, fs::copy_options::overwrite_existing);
    }
    fs::copy_file(assets / kHelpFileName, folder / kHelpFileName,
                  fs::copy_options::overwrite_existing);
    return folder;
}

fs::path generatedFolder(const fs::path& work, std::size_t entries) {
    const fs::path folder = work / ("entries-" + std::to_string(entries));
    fs::create_directories(folder);
    const std::string bytes = typicalList(entries);
    for (const std::string_view name : kListFileNames) {
        writeFile(folder / name, bytes);
    }
    return folder;
}

std::string option(int argc, char** argv, const std::string& name, std::string fallback) {
    const std::string prefix = "--" + name + "=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
            return argv[i] + prefix.size();
        }
    }
    if (fallback.empty()) {
        throw std::runtime_error("missing --" + name + "=...");
    }
    return fallback;
}

// Every value given to --NAME=, in order.
std::vector<std::string> options(int argc, char** argv, const std::string& name) {
    const std::string prefix = "--" + name + "=";
    std::vector<std::string> values;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
            values.emplace_back(argv[i] + prefix.size());
        }
    }
    return values;
}

// Every case once per round, after one uncounted round that warms the caches,
// so that any drift of the machine touches them all alike.
void measure(std::vector<Case>& cases, int runs, std::chrono::milliseconds settle, bool trace) {
    StartupTimer timer;
    for (int round = 0; round <= runs; ++round) {
        for (Case& c : cases) {
            const Sample sample = timer.run(c, settle);
            if (trace) {
                std::fprintf(stderr, "%s\tstarted at %.2f\t%.2f ms\t%.0f KB\t%.1f ms CPU\n",
                             c.label.c_str(), sample.startedAt, sample.milliseconds,
                             sample.peakKilobytes, sample.cpuMilliseconds);
            }
            if (round > 0) {
                c.milliseconds.push_back(sample.milliseconds);
                c.peakKilobytes.push_back(sample.peakKilobytes);
            }
        }
    }
}

// One row: figure, case, median, the baseline's median, ratio, runs.
void printRow(const char* figure, const Case& c, const Case& base, const char* baseName,
              bool time) {
    const double value = median(time ? c.milliseconds : c.peakKilobytes);
    const double reference = median(time ? base.milliseconds : base.peakKilobytes);
    std::printf("%s\t%s\t%s\t%s %s\t%s\t%zu\n", figure, c.label.c_str(),
                fixed(value, time ? 1 : 0).c_str(), baseName,
                fixed(reference, time ? 1 : 0).c_str(), fixed(value / reference, 2).c_str(),
                c.milliseconds.size());
}

// The Qt program against an empty QMainWindow, with the delivered lists and
// lists of growing length.
void runNative(int argc, char** argv, const fs::path& work, const fs::path& assets, int runs,
               std::chrono::milliseconds settle, bool trace) {
    const std::string program = fs::absolute(option(argc, argv, "program", "")).string();
    const std::string baseline = fs::absolute(option(argc, argv, "baseline", "")).string();
    const fs::path empty = work / "empty";
    fs::create_directories(empty);
    std::vector<Case> cases;
    cases.push_back({"QMainWindow, one text label", baseline, {"--label"}, empty, {}, {}});
    cases.push_back({"delivered lists", program, {}, deliveredFolder(work, assets), {}, {}});
    const std::size_t growth[] = {0, 1000, 10000, kMaxListEntries};
    for (std::size_t entries : growth) {
        cases.push_back({"3 lists of " + groupedInThrees(entries) + " entries",
                         program,
                         {},
                         generatedFolder(work, entries),
                         {},
                         {}});
    }
    // For reference: the same window without its label, which never loads
    // fonts.
    cases.push_back({"empty QMainWindow", baseline, {}, empty, {}, {}});
    // Other builds of the program, measured alongside this one.
    for (const std::string& compare : options(argc, argv, "compare")) {
        const std::string other = fs::absolute(compare).string();
        cases.push_back({"delivered lists, " + compare, other, {}, cases[1].folder, {}, {}});
        cases.push_back(
            {"3 lists of 32,767 entries, " + compare, other, {}, cases[5].folder, {}, {}});
    }

    measure(cases, runs, settle, trace);

    const Case& base = cases[0];
    const Case& delivered = cases[1];
    const Case& full = cases[5];
    std::vector<const Case*> shown{&base, &delivered, &full};
    for (std::size_t i = 6; i < cases.size(); ++i) {
        shown.push_back(&cases[i]);
    }
    for (const Case* c : shown) {
        printRow("Start-up to window mapped (ms)", *c, base, "one-label window", true);
    }
    for (const Case* c : shown) {
        printRow("Peak resident memory (KB)", *c, base, "one-label window", false);
    }
    for (std::size_t i = 2; i <= 5; ++i) {
        printRow("Growth: start-up (ms)", cases[i], base, "one-label window", true);
    }
    for (std::size_t i = 2; i <= 5; ++i) {
        printRow("Growth: peak memory (KB)", cases[i], base, "one-label window", false);
    }
    const Case& none = cases[2];
    const double thousands = static_cast<double>(kMaxListEntries) / 1000.0;
    std::printf(
        "Growth per 1,000 entries per list\t0 to 32,767 entries, start-up\t%s ms\t-\t-\t%zu\n",
        fixed((median(full.milliseconds) - median(none.milliseconds)) / thousands, 2).c_str(),
        full.milliseconds.size());
    std::printf(
        "Growth per 1,000 entries per list\t0 to 32,767 entries, memory\t%s KB\t-\t-\t%zu\n",
        fixed((median(full.peakKilobytes) - median(none.peakKilobytes)) / thousands, 0).c_str(),
        full.peakKilobytes.size());
}

// The Windows program under Wine against an empty Win32 window of the same
// compiler, both started by the same Wine loader in the same (warm) prefix,
// which the caller sets up through WINEPREFIX. Wine's X windows carry the
// process id of the Wine process that runs the program, which is the one
// started here.
void runWine(int argc, char** argv, const fs::path& work, const fs::path& assets, int runs,
             std::chrono::milliseconds settle, bool trace) {
    const std::string wine = option(argc, argv, "wine", "");
    const std::string program = fs::absolute(option(argc, argv, "program", "")).string();
    const std::string baseline = fs::absolute(option(argc, argv, "baseline", "")).string();
    const fs::path empty = work / "empty";
    fs::create_directories(empty);
    const fs::path delivered = deliveredFolder(work, assets);
    std::vector<Case> cases;
    cases.push_back({"empty Win32 window", wine, {baseline}, empty, {}, {}});
    cases.push_back({"tallywick.exe, delivered lists", wine, {program}, delivered, {}, {}});
    // For reference: the same empty window with one line of text measured
    // before it shows, the least that loads a font.
    cases.push_back({"Win32 window, one text label", wine, {baseline, "--label"}, empty, {}, {}});
    for (const std::string& compare : options(argc, argv, "compare")) {
        cases.push_back({"delivered lists, " + compare,
                         wine,
                         {fs::absolute(compare).string()},
                         delivered,
                         {},
                         {}});
    }

    measure(cases, runs, settle, trace);

    for (std::size_t i = 1; i < cases.size(); ++i) {
        printRow("Wine: start-up to window mapped (ms)", cases[i], cases[0], "empty Win32 window",
                 true);
    }
    for (std::size_t i = 1; i < cases.size(); ++i) {
        printRow("Wine: peak resident memory (KB)", cases[i], cases[0], "empty Win32 window",
                 false);
    }
}

} // namespace

int run(int argc, char** argv) {
    const fs::path assets = option(argc, argv, "assets", TALLYWICK_ASSETS_DIR);
    const int runs = std::max(1, std::stoi(option(argc, argv, "runs", "10")));
    const std::chrono::milliseconds settle(std::stoi(option(argc, argv, "settle-ms", "300")));
    const bool trace = option(argc, argv, "trace", "no") == "yes";

    char workTemplate[] = "/tmp/tallywick-bench-XXXXXX";
    if (mkdtemp(workTemplate) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    const fs::path work = workTemplate;
    struct Cleanup {
        fs::path path;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    } cleanup{work};

    if (option(argc, argv, "wine", "-") != "-") {
        runWine(argc, argv, work, assets, runs, settle, trace);
    } else {
        runNative(argc, argv, work, assets, runs, settle, trace);
    }
    return 0;
}

} // namespace tallywick::bench

int main(int argc, char** argv) {
    try {
        return tallywick::bench::run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "start-up benchmark: %s\n", error.what());
        return 1;
    }
}
