// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <windows.h>

namespace tallywick {

// A picture from the program's bitmap resources as a 32-bit top-down DIB
// section with premultiplied alpha, ready for GdiAlphaBlend, so that a
// transparent GIF keeps its transparency. The build stores each picture as
// a 32-bit DIB whose fourth byte is alpha: loading it needs no decoder and no
// COM. Empty when the resource is missing or is not such a bitmap.
class ResourceBitmap {
public:
    ResourceBitmap() = default;
    // The module's bitmap resource of that name.
    static ResourceBitmap load(HMODULE module, const wchar_t* name);
    // A packed DIB: a BITMAPINFOHEADER, then the pixels, bottom-up or top-down.
    static ResourceBitmap fromPackedDib(const void* bytes, DWORD size);

    ResourceBitmap(ResourceBitmap&& other) noexcept;
    ResourceBitmap& operator=(ResourceBitmap&& other) noexcept;
    ResourceBitmap(const ResourceBitmap&) = delete;
    ResourceBitmap& operator=(const ResourceBitmap&) = delete;
    ~ResourceBitmap();

    [[nodiscard]] HBITMAP handle() const noexcept { return bitmap_; }
    [[nodiscard]] SIZE size() const noexcept { return size_; }
    [[nodiscard]] bool empty() const noexcept { return bitmap_ == nullptr; }

private:
    HBITMAP bitmap_ = nullptr;
    SIZE size_{};
};

} // namespace tallywick
