// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/ProgramIdentity.h"
#include "ui/qt/QtMessageBoxes.h"

#include <QApplication>
#include <cstdlib>

namespace {

bool hasDisplay() {
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

} // namespace

// tallywick-message-box TEXT: the launcher's error message as the program
// shows its own, titled with the program's name, with its icon; returns once
// the user has dismissed it. Without a display (Qt would end the program)
// there is nothing to show: exit code 1.
int main(int argc, char* argv[]) {
    using namespace tallywick;
    if (argc != 2 || !hasDisplay()) {
        return 1;
    }
    // Qt is given the program's name alone: nothing in the text is an option.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    const QApplication application(qtArgc, qtArgv);
    describeProgram();
    QtMessageBoxes().show(MessageBoxRequest{argv[1], std::nullopt, BoxStyle::IconError});
    return 0;
}
