// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32NumberFormat.h"

#include "platform/win32/WideText.h"

#include <array>
#include <string>
#include <windows.h>

namespace tallywick {

namespace {

std::wstring localeText(LCTYPE type, const wchar_t* fallback) {
    std::array<wchar_t, 16> buffer{};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, buffer.data(),
                                         static_cast<int>(buffer.size()));
    return length > 1 ? std::wstring(buffer.data()) : std::wstring(fallback);
}

} // namespace

unsigned Win32NumberFormat::groupingNumber(std::wstring_view grouping) {
    unsigned number = 0;
    bool endsInZero = false;
    for (const wchar_t c : grouping) {
        if (c >= L'0' && c <= L'9') {
            number = number * 10 + static_cast<unsigned>(c - L'0');
            endsInZero = c == L'0';
        }
    }
    // A trailing ";0" means "repeat the last group"; NUMBERFMTW says that by
    // leaving the zero out. Without it the last group is not repeated.
    return endsInZero ? number / 10 : number * 10;
}

std::string Win32NumberFormat::grouped(std::uint64_t value) const {
    std::wstring separator = localeText(LOCALE_STHOUSAND, L",");
    std::wstring decimal = localeText(LOCALE_SDECIMAL, L".");
    NUMBERFMTW format{};
    format.NumDigits = 0;
    format.LeadingZero = 0;
    format.Grouping = groupingNumber(localeText(LOCALE_SGROUPING, L"3;0"));
    format.lpDecimalSep = decimal.data();
    format.lpThousandSep = separator.data();
    format.NegativeOrder = 1;
    const std::wstring digits = std::to_wstring(value);
    std::array<wchar_t, 64> buffer{};
    const int length = ::GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, digits.c_str(), &format,
                                           buffer.data(), static_cast<int>(buffer.size()));
    if (length <= 1) {
        return toUtf8(digits);
    }
    return toUtf8(buffer.data());
}

} // namespace tallywick
