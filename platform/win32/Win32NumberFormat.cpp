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

const wchar_t* Win32NumberFormat::locale() const noexcept {
    return localeName_.empty() ? LOCALE_NAME_USER_DEFAULT : localeName_.c_str();
}

std::wstring Win32NumberFormat::localeText(unsigned long type, const wchar_t* fallback) const {
    std::array<wchar_t, 16> buffer{};
    const int length =
        ::GetLocaleInfoEx(locale(), type, buffer.data(), static_cast<int>(buffer.size()));
    return length > 1 ? std::wstring(buffer.data()) : std::wstring(fallback);
}

std::string Win32NumberFormat::grouped(std::uint64_t value) const {
    std::wstring separator = localeText(LOCALE_STHOUSAND, L",");
    std::wstring decimal = localeText(LOCALE_SDECIMAL, L".");
    NUMBERFMTW format{};
    format.NumDigits = 0;
    format.LeadingZero = 0;
    format.Grouping = 3; // groups of three, repeated
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = separator.data();
    format.NegativeOrder = 1;
    const std::wstring digits = std::to_wstring(value);
    std::array<wchar_t, 64> buffer{};
    const int length = ::GetNumberFormatEx(locale(), 0, digits.c_str(), &format, buffer.data(),
                                           static_cast<int>(buffer.size()));
    if (length <= 1) {
        return toUtf8(digits);
    }
    return toUtf8(buffer.data());
}

} // namespace tallywick
