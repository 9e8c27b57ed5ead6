// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32Desktop.h"

#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

#include <cstdint>
#include <utility>

// shellapi.h and shlobj.h need windows.h first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

namespace tallywick {

Win32Desktop::Win32Desktop(std::string program) : program_(std::move(program)) {}

DocumentsFolder Win32Desktop::documentsFolder() {
    // Not verified here: a Documents folder that is named but missing is
    // made by the caller, and one that cannot be reached is told by name.
    wchar_t* path = nullptr;
    const HRESULT found =
        ::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::wstring folder = SUCCEEDED(found) && path != nullptr ? path : L"";
    ::CoTaskMemFree(path);
    if (!SUCCEEDED(found)) {
        return {{},
                "Windows knows no Documents folder for your account (" +
                    systemErrorText(static_cast<unsigned long>(found)) + ")"};
    }
    if (folder.empty()) {
        return {{}, "Windows names an empty path as your Documents folder"};
    }
    return {toUtf8(folder), {}};
}

std::optional<std::string> Win32Desktop::startProgram(const std::string& folder) {
    // The window shows as the shortcut asked (normal, minimised, maximised).
    // The shortcut that started us is passed on too, so that the taskbar
    // pins that shortcut (which leads here again) and not the program alone,
    // which would start in its install folder.
    STARTUPINFOW own{};
    own.cb = sizeof own;
    ::GetStartupInfoW(&own);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = own.dwFlags & (STARTF_USESHOWWINDOW | STARTF_TITLEISLINKNAME);
    startup.wShowWindow = own.wShowWindow;
    startup.lpTitle = (own.dwFlags & STARTF_TITLEISLINKNAME) != 0 ? own.lpTitle : nullptr;

    const std::wstring program = toWide(program_);
    std::wstring commandLine = L"\"" + program + L"\"";
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          toWide(folder).c_str(), &startup, &process)) {
        const DWORD error = ::GetLastError();
        return program_ + " cannot be started: " + systemErrorText(error);
    }
    // Windows shows the pointer busy while the process the shortcut started
    // (this one) starts up: it stays so until the program waits for input,
    // with its window on the screen. Only a bound: the program is started.
    constexpr DWORD kStartupFeedback = 10000;
    ::WaitForInputIdle(process.hProcess, kStartupFeedback);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return std::nullopt;
}

ShellResult Win32Desktop::openFolder(const std::string& folder) {
    // In the user's file manager, as Explorer opens a folder that is
    // double-clicked. The launcher ends right after: the hand-over is
    // finished first.
    const std::wstring path = toWide(folder);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    request.lpFile = path.c_str();
    request.nShow = SW_SHOWNORMAL;
    const bool opened = ::ShellExecuteExW(&request) != 0;
    const DWORD error = ::GetLastError();
    // The result is a number dressed as a handle, for compatibility.
    const auto result = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(request.hInstApp));
    if (opened) {
        return result > kShellSuccessThreshold ? ShellResult{result} : ShellResult::Launched;
    }
    if (result > 0 && result <= kShellSuccessThreshold) {
        return ShellResult{result};
    }
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return ShellResult::FileNotFound;
    case ERROR_PATH_NOT_FOUND:
        return ShellResult::PathNotFound;
    case ERROR_ACCESS_DENIED:
        return ShellResult::AccessDenied;
    case ERROR_NO_ASSOCIATION:
        return ShellResult::NoAssociation;
    default:
        return ShellResult::OutOfResources;
    }
}

} // namespace tallywick
