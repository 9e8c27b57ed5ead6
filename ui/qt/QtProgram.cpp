// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/QtProgram.h"

#include "base/ProductFacts.h"
#include "platform/posix/ProgramSearch.h"

#include <QApplication>
#include <QIcon>

namespace tallywick {

namespace {

// The program the About command opens the help text with: the desktop's
// text opener, named by its absolute path on PATH. Without one, the About
// command's launch fails as on a Windows without Notepad: silently.
std::string textViewer() {
    constexpr std::string_view kTextOpener = "xdg-open";
    return findProgram(kTextOpener).value_or(std::string(kTextOpener));
}

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void QtProgram::describe() {
    QApplication::setApplicationName(qtText(kProductName));
    QApplication::setApplicationVersion(qtText(kVersion));
    QApplication::setDesktopFileName(QStringLiteral("tallywick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallywick/tallywick.png")));
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
