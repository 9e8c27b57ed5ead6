// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/MessageBoxPort.h"

namespace tallywick {

// QMessageBox with one OK button. A system-modal box becomes application-modal
// and stays above other windows.
class QtMessageBoxes final : public MessageBoxPort {
public:
    void show(const MessageBoxRequest& request) override;
};

} // namespace tallywick
