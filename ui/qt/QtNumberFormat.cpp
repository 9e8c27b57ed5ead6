// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/QtNumberFormat.h"

#include <utility>

namespace tallywick {

QtNumberFormat::QtNumberFormat(QLocale locale) : locale_(std::move(locale)) {
    locale_.setNumberOptions(QLocale::OmitGroupSeparator);
}

std::string QtNumberFormat::grouped(std::uint64_t value) const {
    // The region's digits (some regions write their own), without its
    // grouping; then its separator between every three of them.
    const QList<uint> digits = locale_.toString(static_cast<qulonglong>(value)).toUcs4();
    const QString separator = locale_.groupSeparator();
    QString text;
    const qsizetype count = digits.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) {
            text += separator;
        }
        const auto digit = static_cast<char32_t>(digits[i]);
        text += QString::fromUcs4(&digit, 1);
    }
    return text.toStdString();
}

} // namespace tallywick
