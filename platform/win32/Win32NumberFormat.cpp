// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32NumberFormat.h"

#include "platform/win32/WideText.h"

#include <array>
#include <utility>
#include <windows.h>

namespace tallywick {

Win32NumberFormat::Win32NumberFormat(std::wstring localeName)
    : localeName_(std::move(localeName)) {}

NumberSymbols Win32NumberFormat::symbols() const {
    NumberSymbols symbols;
    const wchar_t* locale = localeName_.empty() ? LOCALE_NAME_USER_DEFAULT : localeName_.c_str();
    // A separator is at most three characters and the terminating zero.
    std::array<wchar_t, 8> separator{};
    if (::GetLocaleInfoEx(locale, LOCALE_STHOUSAND, separator.data(),
                          static_cast<int>(separator.size())) > 1) {
        symbols.groupSeparator = toUtf8(separator.data());
    }
    return symbols;
}

} // namespace tallywick
