// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32ShellService.h"

#include "platform/win32/WideText.h"

#include <optional>

// shellapi.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace tallywick {

namespace {

std::string ansi(const std::string& utf8) {
    return toAnsi(toWide(utf8));
}

std::optional<std::string> ansi(const std::optional<std::string>& utf8) {
    return utf8 ? std::optional(ansi(*utf8)) : std::nullopt;
}

const char* pointerOrNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

} // namespace

ShellResult Win32ShellService::execute(const LaunchRequest& request) {
    const std::optional<std::string> operation = ansi(request.operation);
    const std::string file = ansi(request.file);
    const std::optional<std::string> parameters = ansi(request.parameters);
    const std::string directory = ansi(request.directory);
    const HINSTANCE result = ::ShellExecuteA(
        reinterpret_cast<HWND>(request.parent), pointerOrNull(operation), file.c_str(),
        pointerOrNull(parameters), directory.c_str(), static_cast<INT>(request.showCommand));
    // The result is a number dressed as a handle, for compatibility.
    return ShellResult{static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result))};
}

std::string Win32ShellService::narrowRoundTrip(const std::string& text) const {
    return toUtf8(fromAnsi(ansi(text)));
}

} // namespace tallywick
