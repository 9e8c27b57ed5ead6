// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/win32/WicBitmap.h"

#include <utility>
#include <wincodec.h>

namespace tallywick {

namespace {

// Owns one reference to a COM object.
template <typename Interface> class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    Interface** put() noexcept { return &object_; }
    [[nodiscard]] Interface* get() const noexcept { return object_; }
    Interface* operator->() const noexcept { return object_; }

private:
    Interface* object_ = nullptr;
};

} // namespace

WicBitmap WicBitmap::fromResource(HMODULE module, const wchar_t* name) {
    const HRSRC resource = ::FindResourceW(module, name, RT_RCDATA);
    if (resource == nullptr) {
        return {};
    }
    const HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return fromBytes(bytes, ::SizeofResource(module, resource));
}

WicBitmap WicBitmap::fromBytes(const void* bytes, DWORD size) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.put()))) ||
        FAILED(factory->CreateStream(stream.put())) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(bytes)), size)) ||
        FAILED(factory->CreateDecoderFromStream(stream.get(), nullptr,
                                                WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(::WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame.get(),
                                        converted.put()))) {
        return {};
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converted->GetSize(&width, &height)) || width == 0 || height == 0) {
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(width);
    info.bmiHeader.biHeight = -static_cast<LONG>(height); // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr) {
        return {};
    }
    const UINT stride = width * 4;
    if (FAILED(
            converted->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(pixels)))) {
        ::DeleteObject(bitmap);
        return {};
    }
    WicBitmap result;
    result.bitmap_ = bitmap;
    result.size_ = {static_cast<LONG>(width), static_cast<LONG>(height)};
    return result;
}

WicBitmap::WicBitmap(WicBitmap&& other) noexcept
    : bitmap_(std::exchange(other.bitmap_, nullptr)), size_(std::exchange(other.size_, {})) {}

WicBitmap& WicBitmap::operator=(WicBitmap&& other) noexcept {
    if (this != &other) {
        if (bitmap_ != nullptr) {
            ::DeleteObject(bitmap_);
        }
        bitmap_ = std::exchange(other.bitmap_, nullptr);
        size_ = std::exchange(other.size_, {});
    }
    return *this;
}

WicBitmap::~WicBitmap() {
    if (bitmap_ != nullptr) {
        ::DeleteObject(bitmap_);
    }
}

} // namespace tallywick
