// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/SystemErrorText.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace tallywick {

std::string systemErrorText(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring phrase(text != nullptr ? text : L"", length);
    ::LocalFree(text);
    while (!phrase.empty() && (phrase.back() == L'\n' || phrase.back() == L'\r' ||
                               phrase.back() == L' ' || phrase.back() == L'.')) {
        phrase.pop_back();
    }
    return phrase.empty() ? "error " + std::to_string(error) : toUtf8(phrase);
}

} // namespace tallywick
