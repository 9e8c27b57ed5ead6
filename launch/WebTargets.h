// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string_view>

namespace tallywick {

// Every web address the program opens, named by its role.
enum class WebTarget : std::size_t {
    PublisherHome,
    AmexApplication,
    VisaMastercardApplication,
    RetailApplication,
    BusinessCredit,
    ThreeInOneReport,
    FreePersonalReport,
    CreditAudit,
    DebtSaviors,
    BillReduction,
    PreferredFinancial,
    CardConsolidators,
    Junum,
    DebtConsolidation,
    BusinessCalculators,
    Loans,
    QuillpressDownload,
    OrderFullVersion,
};

inline constexpr std::size_t kWebTargetCount = 18;

[[nodiscard]] std::string_view webAddress(WebTarget target) noexcept;

// The publisher's site as the title bar names it.
inline constexpr std::string_view kPublisherSiteName = "tallywick.example";

} // namespace tallywick
