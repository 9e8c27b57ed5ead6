// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/Form1.h"
#include "platform/posix/FlockInstanceGuard.h"
#include "platform/posix/PosixListFileSource.h"
#include "platform/posix/PosixShellService.h"
#include "platform/posix/ProcMemoryProbe.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtMessageBoxes.h"
#include "ui/qt/QtNumberFormat.h"

namespace tallywick {

// The Qt program as main() runs it, wired in one place for main() and the
// benchmarks: the POSIX services and the Qt ones, with the desktop's text
// viewer, under Form1 and its window. Made once the QApplication exists.
class QtProgram {
public:
    // Tells Qt the program's name, version, desktop entry and icon; every
    // window of the program shows the icon, message boxes without a parent
    // (the start-up errors) included.
    static void describe();

    QtProgram();
    // With the shell, the message boxes and the single-copy lock given in
    // place of the program's own (a benchmark launches nothing and shows no
    // box).
    QtProgram(ShellPort& shell, MessageBoxPort& boxes, InstancePort& instance);
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;
    ~QtProgram() = default;

    // Runs the start-up sequence on the hidden window, then shows it,
    // centred, when the outcome is LoadOutcome::Show.
    [[nodiscard]] LoadOutcome start();
    [[nodiscard]] MainWindow& window() noexcept { return window_; }

private:
    PosixShellService shell_;
    QtMessageBoxes boxes_;
    FlockInstanceGuard instance_;
    PosixListFileSource listFiles_;
    ProcMemoryProbe memory_;
    QtNumberFormat numbers_;
    MainWindow window_;
    Form1 form_;
};

} // namespace tallywick
