// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/Launcher.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32MessageBoxes.h"

#include <string>
#include <vector>

// shellapi.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
// clang-format on

namespace {

// The folder the launcher's file lies in: the install folder, which holds the
// program and the delivered lists.
std::wstring ownFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\'));
}

// The arguments after the launcher's own name, as Windows splits them.
std::vector<std::string> arguments() {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 1; words != nullptr && i < count; ++i) {
        result.push_back(tallywick::toUtf8(words[i]));
    }
    ::LocalFree(static_cast<void*>(words));
    return result;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace tallywick;

    // DLLs from the system folder only, never from the install folder or the
    // working folder, whoever asks for them by name.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // The shell wants COM on the thread that opens the folder.
    const HRESULT com =
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    const std::string folder = toUtf8(ownFolder());
    Win32MessageBoxes boxes;
    Win32FileSystem files;
    Win32Desktop desktop(folder + "\\" TALLYWICK_PROGRAM_FILE_NAME);
    Launcher launcher(files, desktop, boxes, folder);
    const int code = launcher.run(arguments());

    if (SUCCEEDED(com)) {
        ::CoUninitialize();
    }
    return code;
}
