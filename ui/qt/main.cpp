// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/Form1.h"
#include "base/ProductFacts.h"
#include "platform/posix/FlockInstanceGuard.h"
#include "platform/posix/PosixListFileSource.h"
#include "platform/posix/PosixShellService.h"
#include "platform/posix/ProcMemoryProbe.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtMessageBoxes.h"
#include "ui/qt/QtNumberFormat.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    using namespace tallywick;

    // The program reads no command line: Qt is given the program's name
    // alone, so that none of its own options (-qwindowtitle, -reverse,
    // -style, -platform, ...) changes the window. The environment
    // (QT_QPA_PLATFORM and the like) still applies.
    static char fallbackName[] = "tallywick";
    int qtArgc = 1;
    char* qtArgv[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fallbackName, nullptr};
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName(QString::fromUtf8(kProductName.data(), kProductName.size()));
    QApplication::setApplicationVersion(QString::fromUtf8(kVersion.data(), kVersion.size()));
    QApplication::setDesktopFileName(QStringLiteral("tallywick"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tallywick/tallywick.png")));

    PosixShellService shell;
    QtMessageBoxes boxes;
    FlockInstanceGuard instance;
    PosixListFileSource listFiles;
    ProcMemoryProbe memory;
    QtNumberFormat numbers;

    // The window is built hidden; the start-up sequence fills it and only
    // then is it shown.
    MainWindow window;
    Form1 form(Services{shell, boxes, instance, listFiles, memory, numbers, "xdg-open"}, window);
    window.attach(form);

    const LoadOutcome outcome = form.load();
    if (outcome != LoadOutcome::Show) {
        return exitCode(outcome);
    }
    window.centreOnScreen();
    window.show();
    return QApplication::exec();
}
