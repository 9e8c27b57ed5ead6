// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/QtNumberFormat.h"

namespace tallywick {

QtNumberFormat::QtNumberFormat(QLocale locale) : locale_(std::move(locale)) {
    // The C locale leaves out separators by default; the panel always groups.
    locale_.setNumberOptions(QLocale::DefaultNumberOptions);
}

std::string QtNumberFormat::grouped(std::uint64_t value) const {
    return locale_.toString(static_cast<qulonglong>(value)).toStdString();
}

} // namespace tallywick
