// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32MessageBoxes.h"

#include "platform/win32/WideText.h"

namespace tallywick {

void Win32MessageBoxes::show(const MessageBoxRequest& request) {
    const HWND owner = owner_ != nullptr && ::IsWindowVisible(owner_) ? owner_ : nullptr;
    ::MessageBoxW(owner, toWide(request.text).c_str(), toWide(request.shownTitle()).c_str(),
                  static_cast<UINT>(request.style));
}

} // namespace tallywick
