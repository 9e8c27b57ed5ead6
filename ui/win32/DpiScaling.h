// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

namespace tallywick {

// The window is laid out in twips, its font is sized in points, and its tip
// width and pictures in pixels at 96 DPI; each length becomes device pixels at
// the window's DPI, rounded to the nearest pixel.
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kPointsPerInch = 72;
inline constexpr int kPixelsPerInchAt96Dpi = USER_DEFAULT_SCREEN_DPI;

// LENGTH in units of 1/unitsPerInch inch, in device pixels at DPI.
[[nodiscard]] inline int atDpi(int length, int unitsPerInch, UINT dpi) {
    return ::MulDiv(length, static_cast<int>(dpi), unitsPerInch);
}

} // namespace tallywick
