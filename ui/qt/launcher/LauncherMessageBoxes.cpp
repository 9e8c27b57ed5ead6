// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/launcher/LauncherMessageBoxes.h"

#include "ui/qt/ProgramIdentity.h"
#include "ui/qt/QtMessageBoxes.h"

#include <cstdio>
#include <cstdlib>

namespace tallywick {

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

LauncherMessageBoxes::LauncherMessageBoxes(char* argv0) : argv_{argv0, nullptr} {}

void LauncherMessageBoxes::show(const MessageBoxRequest& request) {
    std::fprintf(stderr, "%s: %s\n", request.shownTitle().c_str(), request.text.c_str());
    // Qt ends a program that has no display to show a window on.
    if (!hasDisplay()) {
        return;
    }
    if (!application_) {
        application_ = std::make_unique<QApplication>(argc_, argv_);
        describeProgram();
    }
    QtMessageBoxes().show(request);
}

} // namespace tallywick
