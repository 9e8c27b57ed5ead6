// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// What the resource script puts in the program file; this test program links
// the same script, and the GIFs the card pictures are made from (RCDATA, each
// under its picture's name).
#include "app/ControlTable.h"
#include "platform/win32/WideText.h"
#include "ui/win32/ResourceBitmap.h"
#include "ui/win32/resource.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <objbase.h>
#include <string>
#include <vector>
#include <wincodec.h>
#include <winver.h>

namespace tallywick {
namespace {

std::vector<BYTE> versionRecord() {
    std::array<wchar_t, MAX_PATH> self{};
    ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    DWORD ignored = 0;
    std::vector<BYTE> record(::GetFileVersionInfoSizeW(self.data(), &ignored));
    if (record.empty() ||
        !::GetFileVersionInfoW(self.data(), 0, static_cast<DWORD>(record.size()), record.data())) {
        return {};
    }
    return record;
}

std::wstring versionString(std::vector<BYTE>& record, const std::wstring& name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
    if (!::VerQueryValueW(record.data(), path.c_str(), &value, &length) || length == 0) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

TEST(Win32ResourcesTest, versionRecordNamesTheProductAndVersionOne) {
    std::vector<BYTE> record = versionRecord();
    ASSERT_FALSE(record.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(versionString(record, L"ProductName"), L"TALLYWICK");
    EXPECT_EQ(versionString(record, L"FileVersion"), L"1.00");
    EXPECT_EQ(versionString(record, L"ProductVersion"), L"1.00");
}

TEST(Win32ResourcesTest, iconComesInBothSmallAndLargeSizes) {
    const HMODULE self = ::GetModuleHandleW(nullptr);
    for (const int size : {16, 32}) {
        SCOPED_TRACE(size);
        const HANDLE icon =
            ::LoadImageW(self, MAKEINTRESOURCEW(IDI_TALLYWICK), IMAGE_ICON, size, size, 0);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(static_cast<HICON>(icon), &info));
        BITMAP bitmap{};
        ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, size);
        ::DeleteObject(info.hbmColor);
        ::DeleteObject(info.hbmMask);
        ::DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST(Win32ResourcesTest, manifestAsksForCommonControlsSixAndPerMonitorDpi) {
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(self, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(resource, nullptr);
    const std::string manifest(
        static_cast<const char*>(::LockResource(::LoadResource(self, resource))),
        ::SizeofResource(self, resource));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2<"), std::string::npos);
    // The system took it: this process is aware of each monitor's DPI.
    EXPECT_EQ(::GetAwarenessFromDpiAwarenessContext(::GetThreadDpiAwarenessContext()),
              DPI_AWARENESS_PER_MONITOR_AWARE);
}

// The pixels of a resource bitmap, top-down, four bytes each (BGRA).
std::vector<BYTE> pixelsOf(const ResourceBitmap& bitmap) {
    const SIZE size = bitmap.size();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> pixels(static_cast<std::size_t>(size.cx * size.cy * 4));
    const HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap.handle(), 0, static_cast<UINT>(size.cy), pixels.data(), &info,
                DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// The GIF of that name, decoded by the system's decoder into premultiplied
// BGRA, as the window drew it before its pictures were stored as bitmaps.
std::vector<BYTE> decodedGif(const wchar_t* name, SIZE& size) {
    const HMODULE self = ::GetModuleHandleW(nullptr);
    const HRSRC resource = ::FindResourceW(self, name, RT_RCDATA);
    if (resource == nullptr) {
        return {};
    }
    auto* bytes = static_cast<BYTE*>(::LockResource(::LoadResource(self, resource)));
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* converted = nullptr;
    std::vector<BYTE> pixels;
    UINT width = 0;
    UINT height = 0;
    if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(bytes, ::SizeofResource(self, resource))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand,
                                                   &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(::WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, frame, &converted)) &&
        SUCCEEDED(converted->GetSize(&width, &height))) {
        pixels.resize(static_cast<std::size_t>(width) * height * 4);
        if (FAILED(converted->CopyPixels(nullptr, width * 4, static_cast<UINT>(pixels.size()),
                                         pixels.data()))) {
            pixels.clear();
        }
        size = {static_cast<LONG>(width), static_cast<LONG>(height)};
    }
    for (IUnknown* object :
         std::initializer_list<IUnknown*>{converted, frame, decoder, stream, factory}) {
        if (object != nullptr) {
            object->Release();
        }
    }
    return pixels;
}

TEST(Win32ResourcesTest, cardPicturesShowTheirGifsPixelForPixel) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const struct {
        ControlId box;
        SIZE size;
    } pictures[] = {{ControlId::Picture1, {56, 35}},
                    {ControlId::Picture2, {57, 35}},
                    {ControlId::Picture3, {56, 35}},
                    {ControlId::Picture4, {55, 35}}};
    for (const auto& picture : pictures) {
        // The bitmap the box shows and the GIF it is made from, both under
        // the picture's name.
        const std::wstring name = toWide(design(picture.box).image);
        SCOPED_TRACE(testing::PrintToString(name));
        const ResourceBitmap bitmap =
            ResourceBitmap::load(::GetModuleHandleW(nullptr), name.c_str());
        ASSERT_FALSE(bitmap.empty());
        EXPECT_EQ(bitmap.size().cx, picture.size.cx);
        EXPECT_EQ(bitmap.size().cy, picture.size.cy);
        SIZE gifSize{};
        const std::vector<BYTE> expected = decodedGif(name.c_str(), gifSize);
        ASSERT_FALSE(expected.empty());
        EXPECT_EQ(gifSize.cx, picture.size.cx);
        EXPECT_EQ(gifSize.cy, picture.size.cy);
        const std::vector<BYTE> actual = pixelsOf(bitmap);
        EXPECT_EQ(actual, expected);
        // Transparent parts stay transparent, so the box's colour shows there.
        bool transparent = false;
        for (std::size_t i = 3; i < actual.size(); i += 4) {
            transparent = transparent || actual[i] == 0;
        }
        EXPECT_TRUE(transparent);
    }
    ::CoUninitialize();
}

TEST(Win32ResourcesTest, onlyThirtyTwoBitBitmapsWithAlphaAreTaken) {
    EXPECT_TRUE(ResourceBitmap::load(::GetModuleHandleW(nullptr), L"Picture9").empty());

    // A 2 by 2 picture, bottom-up: its first row in memory is its last on screen.
    struct {
        BITMAPINFOHEADER header;
        BYTE pixels[16];
    } dib{{sizeof(BITMAPINFOHEADER), 2, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
          {10, 20, 30, 255, 0, 0, 0, 0, 200, 100, 50, 128, 255, 0, 255, 0}};
    const ResourceBitmap bitmap = ResourceBitmap::fromPackedDib(&dib, sizeof dib);
    ASSERT_FALSE(bitmap.empty());
    const std::vector<BYTE> topDown = pixelsOf(bitmap);
    // Premultiplied: a colour under alpha 128 is about halved, a transparent pixel is black.
    EXPECT_EQ(topDown,
              (std::vector<BYTE>{100, 50, 25, 128, 0, 0, 0, 0, 10, 20, 30, 255, 0, 0, 0, 0}));

    auto broken = dib;
    broken.header.biBitCount = 24;
    EXPECT_TRUE(ResourceBitmap::fromPackedDib(&broken, sizeof broken).empty());
    broken = dib;
    broken.header.biCompression = BI_BITFIELDS;
    EXPECT_TRUE(ResourceBitmap::fromPackedDib(&broken, sizeof broken).empty());
    broken = dib;
    broken.header.biHeight = -0x7FFFFFFF;
    EXPECT_TRUE(ResourceBitmap::fromPackedDib(&broken, sizeof broken).empty());
    EXPECT_TRUE(ResourceBitmap::fromPackedDib(&dib, sizeof dib - 1).empty());
    const char notAPicture[] = "GIF89a but not really";
    EXPECT_TRUE(ResourceBitmap::fromPackedDib(notAPicture, sizeof notAPicture).empty());
}

} // namespace
} // namespace tallywick
