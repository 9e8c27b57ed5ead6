// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

namespace tallywick {

// A picture decoded with WIC into a 32-bit top-down DIB with premultiplied
// alpha, so that a transparent GIF keeps its transparency when drawn with
// AlphaBlend. Needs COM on the calling thread. Empty when the picture cannot
// be found or decoded.
class WicBitmap {
public:
    WicBitmap() = default;
    // Decodes the module's RCDATA resource of that name.
    static WicBitmap fromResource(HMODULE module, const wchar_t* name);
    // Decodes a picture file held in memory.
    static WicBitmap fromBytes(const void* bytes, DWORD size);

    WicBitmap(WicBitmap&& other) noexcept;
    WicBitmap& operator=(WicBitmap&& other) noexcept;
    WicBitmap(const WicBitmap&) = delete;
    WicBitmap& operator=(const WicBitmap&) = delete;
    ~WicBitmap();

    [[nodiscard]] HBITMAP handle() const noexcept { return bitmap_; }
    [[nodiscard]] SIZE size() const noexcept { return size_; }
    [[nodiscard]] bool empty() const noexcept { return bitmap_ == nullptr; }

private:
    HBITMAP bitmap_ = nullptr;
    SIZE size_{};
};

} // namespace tallywick
