// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/MessageBoxPort.h"

#include <QApplication>
#include <memory>

namespace tallywick {

// The launcher's message boxes: the program's own Qt message box, with the
// program's name and icon. The QApplication is made for the first box only,
// so that a launch that goes well starts the program without loading a
// window system first. Every text also goes to the standard error, for a
// terminal or the session's log; without a display it is all there is.
class LauncherMessageBoxes final : public MessageBoxPort {
public:
    // argv0: the launcher's own name, all Qt is given of its command line.
    explicit LauncherMessageBoxes(char* argv0);

    void show(const MessageBoxRequest& request) override;

private:
    int argc_ = 1;
    char* argv_[2];
    std::unique_ptr<QApplication> application_;
};

} // namespace tallywick
