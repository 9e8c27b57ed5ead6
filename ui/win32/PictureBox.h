// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ui/win32/BaseWindow.h"
#include "ui/win32/ResourceBitmap.h"

namespace tallywick {

// A picture box: a 1-pixel border, the window colour behind the picture, and
// the picture at the top-left corner, scaled with the window's DPI. It takes
// the focus in the tab chain and then shows a focus rectangle.
class PictureBox final : public BaseWindow<PictureBox> {
public:
    static constexpr const wchar_t* kClassName = L"TallywickPictureBox";

    PictureBox(HWND parent, int id, const RECT& rect, ResourceBitmap picture);
    ~PictureBox() { destroy(); }

    [[nodiscard]] const ResourceBitmap& picture() const noexcept { return picture_; }

    static void describeClass(WNDCLASSEXW& windowClass);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void paint(HDC dc) const;

    ResourceBitmap picture_;
};

} // namespace tallywick
