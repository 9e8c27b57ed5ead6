// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/MessageBoxPort.h"

#include <string>

namespace tallywick {

// The launcher's message boxes. The launcher links no window system, so that
// a start that goes well costs the program's start alone: a box is shown by
// a small program of its own (tallywick-message-box, the program's Qt message
// box with its name and icon), started for it and waited for. Every text goes
// to the standard error too, for a terminal or the session's log; without a
// display that is all there is.
class SpawnedMessageBoxes final : public MessageBoxPort {
public:
    // boxProgram: the absolute path of the program that shows one box.
    explicit SpawnedMessageBoxes(std::string boxProgram);

    void show(const MessageBoxRequest& request) override;

private:
    std::string boxProgram_;
};

} // namespace tallywick
