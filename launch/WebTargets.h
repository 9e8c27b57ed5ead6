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
    Count, // not a target: how many there are
};

[[nodiscard]] std::string_view webAddress(WebTarget target) noexcept;

} // namespace tallywick
