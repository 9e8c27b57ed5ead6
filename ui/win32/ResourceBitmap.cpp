// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/ResourceBitmap.h"

#include <cstring>
#include <utility>

namespace tallywick {

namespace {

// Far beyond any picture of the window; keeps the size arithmetic small.
constexpr LONG kMaxSide = 4096;

BYTE premultiplied(BYTE colour, BYTE alpha) {
    return static_cast<BYTE>((colour * alpha + 127) / 255);
}

} // namespace

ResourceBitmap ResourceBitmap::load(HMODULE module, const wchar_t* name) {
    const HRSRC resource = ::FindResourceW(module, name, RT_BITMAP);
    if (resource == nullptr) {
        return {};
    }
    const HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return fromPackedDib(bytes, ::SizeofResource(module, resource));
}

ResourceBitmap ResourceBitmap::fromPackedDib(const void* bytes, DWORD size) {
    BITMAPINFOHEADER header{};
    if (bytes == nullptr || size < sizeof header) {
        return {};
    }
    std::memcpy(&header, bytes, sizeof header);
    const LONG width = header.biWidth;
    if (header.biSize != sizeof header || header.biPlanes != 1 || header.biBitCount != 32 ||
        header.biCompression != BI_RGB || header.biClrUsed != 0 || width <= 0 || width > kMaxSide ||
        header.biHeight == 0 || header.biHeight < -kMaxSide || header.biHeight > kMaxSide) {
        return {};
    }
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    const std::size_t stride = static_cast<std::size_t>(width) * 4;
    if (size - sizeof header < stride * static_cast<std::size_t>(height)) {
        return {};
    }

    BITMAPINFO info{};
    info.bmiHeader = header;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biSizeImage = 0;
    void* pixels = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) {
        return {};
    }
    const auto* source = static_cast<const BYTE*>(bytes) + sizeof header;
    auto* target = static_cast<BYTE*>(pixels);
    const bool bottomUp = header.biHeight > 0;
    for (LONG y = 0; y < height; ++y) {
        const BYTE* row = source + stride * static_cast<std::size_t>(bottomUp ? height - 1 - y : y);
        BYTE* out = target + stride * static_cast<std::size_t>(y);
        for (std::size_t x = 0; x < stride; x += 4) {
            const BYTE alpha = row[x + 3];
            out[x] = premultiplied(row[x], alpha);
            out[x + 1] = premultiplied(row[x + 1], alpha);
            out[x + 2] = premultiplied(row[x + 2], alpha);
            out[x + 3] = alpha;
        }
    }
    ResourceBitmap result;
    result.bitmap_ = bitmap;
    result.size_ = {width, height};
    return result;
}

ResourceBitmap::ResourceBitmap(ResourceBitmap&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)), size_(std::exchange(other.size_, {})) {}

ResourceBitmap& ResourceBitmap::operator=(ResourceBitmap&& other) noexcept {
    if (this != &other) {
        if (bitmap_ != nullptr) {
            ::DeleteObject(bitmap_);
        }
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        size_ = std::exchange(other.size_, {});
    }
    return *this;
}

ResourceBitmap::~ResourceBitmap() {
    if (bitmap_ != nullptr) {
        ::DeleteObject(bitmap_);
    }
}

} // namespace tallywick
