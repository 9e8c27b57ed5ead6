// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// A DLL planted beside the program under the name of a system DLL that the
// program loads (planted-dll.sh): once loaded, it leaves a file beside itself,
// its own name with ".loaded" added, for the test to find.
#include <string>
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(::GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size())));
        const HANDLE mark = ::CreateFileW((path + L".loaded").c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (mark != INVALID_HANDLE_VALUE) {
            ::CloseHandle(mark);
        }
    }
    return TRUE;
}
