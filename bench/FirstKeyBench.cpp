// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// The first End key on a full list, in the real window on an X display: the
// time from the key event to the list showing its last entry, selected and
// painted. Each run builds a fresh window on three lists of 32,767 typical
// entries (read from files, as at start-up), shows it, and presses End in
// List1, which has the focus. Prints one tab-separated row: figure, case,
// median, baseline (one frame at 60 Hz), ratio, runs.

#include "ListCorpus.h"
#include "catalogue/ListFileLoader.h"
#include "ui/qt/QtProgram.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallywick::bench {

namespace {

namespace fs = std::filesystem;

constexpr double kFrameMilliseconds = 1000.0 / 60.0;

// Nothing is launched or shown in a box while the key is timed.
class NoShell final : public ShellPort {
public:
    ShellResult execute(const LaunchRequest& /*request*/) override { return ShellResult::Launched; }
};
class NoBoxes final : public MessageBoxPort {
public:
    void show(const MessageBoxRequest& request) override {
        throw std::runtime_error("unexpected box: " + request.text);
    }
};
// Every run in this process builds a window of its own.
class AlwaysFirstCopy final : public InstancePort {
public:
    bool claim() override { return true; }
};

// Notes when the list's viewport paints.
class PaintWatch final : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted = true;
        }
        return false;
    }
};

template <typename Condition> bool processUntil(Condition done, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

double firstEndKey() {
    NoShell shell;
    NoBoxes boxes;
    AlwaysFirstCopy instance;
    QtProgram program(shell, boxes, instance);
    if (program.start() != LoadOutcome::Show) {
        throw std::runtime_error("the window did not load its lists");
    }
    MainWindow& window = program.window();
    window.activateWindow();
    auto* list = window.findChild<QAbstractItemView*>(QStringLiteral("List1"));
    const int last = list->model()->rowCount() - 1;
    if (!processUntil([&] { return window.windowHandle()->isExposed() && list->hasFocus(); },
                      5000)) {
        throw std::runtime_error("the window was not shown with List1 focused");
    }
    // The key comes as soon as the window is shown, as from a user who
    // knows where the list ends.

    PaintWatch watch;
    list->viewport()->installEventFilter(&watch);
    QElapsedTimer timer;
    timer.start();
    QCoreApplication::postEvent(list, new QKeyEvent(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier));
    QCoreApplication::postEvent(list,
                                new QKeyEvent(QEvent::KeyRelease, Qt::Key_End, Qt::NoModifier));
    const bool shown = processUntil(
        [&] {
            return watch.painted && list->currentIndex().row() == last &&
                   list->visualRect(list->currentIndex()).bottom() < list->viewport()->height();
        },
        5000);
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    list->viewport()->removeEventFilter(&watch);
    if (!shown) {
        throw std::runtime_error("End did not bring the last entry into view");
    }
    return elapsed;
}

void writeLists(const fs::path& folder) {
    const std::string bytes = typicalList(kMaxListEntries);
    for (const char* name : {"buslist.txt", "buslistb.txt", "buslistc.txt"}) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }
}

int run(int argc, char** argv) {
    int runs = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--runs=", 0) == 0) {
            runs = std::max(1, std::stoi(arg.substr(7)));
        }
    }
    char workTemplate[] = "/tmp/tallywick-firstkey-XXXXXX";
    if (mkdtemp(workTemplate) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    const fs::path work = workTemplate;
    writeLists(work);
    fs::current_path(work);

    QApplication application(argc, argv);
    std::vector<double> times;
    firstEndKey(); // warm-up, not counted
    for (int i = 0; i < runs; ++i) {
        times.push_back(firstEndKey());
    }
    fs::current_path("/");
    fs::remove_all(work);

    std::sort(times.begin(), times.end());
    const double median = times.size() % 2 == 1
                              ? times[times.size() / 2]
                              : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2.0;
    std::printf("First End key to last entry shown (ms)\tList1 of 32,767 entries\t%.1f\tframe at "
                "60 Hz %.1f\t%.2f\t%d\n",
                median, kFrameMilliseconds, median / kFrameMilliseconds, runs);
    return 0;
}

} // namespace

} // namespace tallywick::bench

int main(int argc, char** argv) {
    try {
        return tallywick::bench::run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "first-key benchmark: %s\n", error.what());
        return 1;
    }
}
