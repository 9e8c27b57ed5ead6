// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/NumberFormat.h"

#include <QLocale>

namespace tallywick {

// Whole numbers in the region's digits with its thousands separator
// (QLocale), in groups of three whatever the region's own grouping (India
// groups 2,46,83,748; the memory panel always reads 24,683,748).
class QtNumberFormat final : public NumberFormat {
public:
    explicit QtNumberFormat(QLocale locale = QLocale::system());
    [[nodiscard]] std::string grouped(std::uint64_t value) const override;

private:
    QLocale locale_;
};

} // namespace tallywick
