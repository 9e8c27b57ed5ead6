// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/NumberFormatPort.h"

#include <QLocale>

namespace tallywick {

// The region's digits (some regions write their own) and thousands separator,
// as QLocale has them.
class QtNumberFormat final : public NumberFormatPort {
public:
    explicit QtNumberFormat(const QLocale& locale = QLocale::system());
    [[nodiscard]] NumberSymbols symbols() const override;

private:
    QLocale locale_;
};

} // namespace tallywick
