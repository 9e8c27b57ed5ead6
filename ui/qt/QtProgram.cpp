// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/QtProgram.h"

#include "platform/posix/ProgramSearch.h"
#include "ui/qt/ProgramIdentity.h"

namespace tallywick {

namespace {

// The program the About command opens the help text with: the desktop's
// text opener, named by its absolute path on PATH. Without one, the About
// command's launch fails as on a Windows without Notepad: silently.
std::string textViewer() {
    constexpr std::string_view kTextOpener = "xdg-open";
    return findProgram(kTextOpener).value_or(std::string(kTextOpener));
}

} // namespace

void QtProgram::describe() {
    describeProgram();
}

// The program's own shell, boxes and lock are made before Form1 takes them.
QtProgram::QtProgram() : QtProgram(shell_, boxes_, instance_) {}

QtProgram::QtProgram(ShellPort& shell, MessageBoxPort& boxes, InstancePort& instance)
    : form_(Services{shell, boxes, instance, listFiles_, memory_, numbers_, textViewer()},
            window_) {
    window_.attach(form_);
}

LoadOutcome QtProgram::start() {
    const LoadOutcome outcome = form_.load();
    if (outcome == LoadOutcome::Show) {
        window_.centreOnScreen();
        window_.show();
    }
    return outcome;
}

} // namespace tallywick
