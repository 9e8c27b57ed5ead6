// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/QtProgram.h"

#include "platform/posix/MimeAssociations.h"
#include "ui/qt/ProgramIdentity.h"

namespace tallywick {

namespace {

// The program the About command opens the help text with: the desktop entry
// of the application the desktop's associations choose for plain text, so
// that the help shows as text whatever its bytes look like (an opener that
// types a file by its content would hand an HTML-looking one to the
// browser). Without one the launch fails as on a Windows without Notepad:
// silently.
std::string textViewer() {
    return MimeAssociations(XdgFolders::fromEnvironment())
        .defaultApplication("text/plain")
        .value_or(std::string());
}

} // namespace

void QtProgram::describe() {
    describeProgram();
}

// The program's own shell, boxes and lock are made before Form1 takes them.
QtProgram::QtProgram() : QtProgram(shell_, boxes_, instance_) {}

QtProgram::QtProgram(ShellPort& shell, MessageBoxPort& boxes, InstancePort& instance)
    : form_(Services{shell, boxes, instance, listFiles_, memory_, numbers_, textViewer}, window_) {
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
