// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/MessageBoxPort.h"

#include <windows.h>

namespace tallywick {

// MessageBoxW with the request's style value as it is (0, 0x10, 0x1010,
// 0x1030) and its title or "TALLYWICK". The box is owned by the main window
// while that window is on screen.
class Win32MessageBoxes final : public MessageBoxPort {
public:
    void setOwner(HWND owner) noexcept { owner_ = owner; }
    void show(const MessageBoxRequest& request) override;

private:
    HWND owner_ = nullptr;
};

} // namespace tallywick
