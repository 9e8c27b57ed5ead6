// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/AtSpiSupplement.h"
#include "ui/qt/QtProgram.h"

#include <QApplication>

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
    QtProgram::describe();
    // Screen readers on Linux hear a list's selected entry and which bar
    // entries open a menu.
    AtSpiSupplement::install(&application);

    // The window is built hidden; the start-up sequence fills it and only
    // then is it shown.
    QtProgram program;
    const LoadOutcome outcome = program.start();
    if (outcome != LoadOutcome::Show) {
        return exitCode(outcome);
    }
    return QApplication::exec();
}
