// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/NumberFormatPort.h"

#include <string>

namespace tallywick {

// The region's thousands separator (LOCALE_STHOUSAND). Windows writes numbers
// in ASCII digits whatever the region: GetNumberFormat never substitutes
// native ones, so neither does the memory panel.
class Win32NumberFormat final : public NumberFormatPort {
public:
    // The user's region by default, or the one named ("de-DE").
    explicit Win32NumberFormat(std::wstring localeName = {});
    [[nodiscard]] NumberSymbols symbols() const override;

private:
    std::wstring localeName_;
};

} // namespace tallywick
