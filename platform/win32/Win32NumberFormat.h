// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/NumberFormat.h"

#include <string>

namespace tallywick {

// Whole numbers formatted by GetNumberFormatEx with the region's thousands
// separator, in groups of three whatever the region's own grouping (India
// groups 2,46,83,748; the memory panel always reads 24,683,748).
class Win32NumberFormat final : public NumberFormat {
public:
    // The user's region by default, or the one named ("de-DE").
    explicit Win32NumberFormat(std::wstring localeName = {});
    [[nodiscard]] std::string grouped(std::uint64_t value) const override;

private:
    [[nodiscard]] const wchar_t* locale() const noexcept;
    [[nodiscard]] std::wstring localeText(unsigned long type, const wchar_t* fallback) const;

    std::wstring localeName_;
};

} // namespace tallywick
