// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/WideText.h"

#include <climits>
#include <new>
#include <windows.h>

namespace tallywick {

namespace {

int checkedLength(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        throw std::bad_alloc();
    }
    return static_cast<int>(size);
}

std::wstring multiByteToWide(UINT codePage, std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = checkedLength(text.size());
    const int needed = ::MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), needed);
    return wide;
}

std::string wideToMultiByte(UINT codePage, std::wstring_view text) {
    if (text.empty()) {
        return {};
    }
    const int length = checkedLength(text.size());
    const int needed =
        ::WideCharToMultiByte(codePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), length, narrow.data(), needed, nullptr,
                          nullptr);
    return narrow;
}

} // namespace

std::wstring toWide(std::string_view utf8) {
    return multiByteToWide(CP_UTF8, utf8);
}

std::string toUtf8(std::wstring_view wide) {
    return wideToMultiByte(CP_UTF8, wide);
}

std::string toAnsi(std::wstring_view wide) {
    return wideToMultiByte(CP_ACP, wide);
}

std::wstring fromAnsi(std::string_view ansi) {
    return multiByteToWide(CP_ACP, ansi);
}

std::wstring fromCodePage(unsigned codePage, std::string_view bytes) {
    return multiByteToWide(codePage, bytes);
}

} // namespace tallywick
