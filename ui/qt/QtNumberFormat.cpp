// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/QtNumberFormat.h"

namespace tallywick {

QtNumberFormat::QtNumberFormat(const QLocale& locale) : locale_(locale) {}

NumberSymbols QtNumberFormat::symbols() const {
    NumberSymbols symbols;
    // A region's digits follow its zero in Unicode, as Qt writes them.
    const QList<uint> zero = locale_.zeroDigit().toUcs4();
    if (zero.size() == 1) {
        for (std::size_t digit = 0; digit < symbols.digits.size(); ++digit) {
            const auto code = static_cast<char32_t>(zero.front() + digit);
            symbols.digits[digit] = QString::fromUcs4(&code, 1).toStdString();
        }
    }
    symbols.groupSeparator = locale_.groupSeparator().toStdString();
    return symbols;
}

} // namespace tallywick
