// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/NumberFormat.h"

#include <QLocale>

namespace tallywick {

// Groups digits as the user's regional settings do (QLocale).
class QtNumberFormat final : public NumberFormat {
public:
    explicit QtNumberFormat(QLocale locale = QLocale::system());
    [[nodiscard]] std::string grouped(std::uint64_t value) const override;

private:
    QLocale locale_;
};

} // namespace tallywick
