// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// What the resource script puts in the program file; this test program links
// the same script.
#include "ui/win32/WicBitmap.h"
#include "ui/win32/resource.h"

#include <array>
#include <gtest/gtest.h>
#include <objbase.h>
#include <string>
#include <vector>
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

TEST(Win32ResourcesTest, cardPicturesDecodeWithTheirSizes) {
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const struct {
        const wchar_t* name;
        SIZE size;
    } pictures[] = {{L"Picture1", {56, 35}},
                    {L"Picture2", {57, 35}},
                    {L"Picture3", {56, 35}},
                    {L"Picture4", {55, 35}}};
    for (const auto& picture : pictures) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(picture.name)));
        const WicBitmap bitmap = WicBitmap::fromResource(::GetModuleHandleW(nullptr), picture.name);
        ASSERT_FALSE(bitmap.empty());
        EXPECT_EQ(bitmap.size().cx, picture.size.cx);
        EXPECT_EQ(bitmap.size().cy, picture.size.cy);
    }
    EXPECT_TRUE(WicBitmap::fromResource(::GetModuleHandleW(nullptr), L"Picture9").empty());
    const char notAPicture[] = "GIF89a but not really";
    EXPECT_TRUE(WicBitmap::fromBytes(notAPicture, sizeof notAPicture).empty());
    ::CoUninitialize();
}

} // namespace
} // namespace tallywick
