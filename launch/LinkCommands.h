#pragma once

#include "launch/WebTargets.h"

#include <array>
#include <string_view>

namespace tallywick {

// The web link menu commands, keyed by the name of their menu item; each
// opens one fixed page in the default browser.
struct LinkCommand {
    std::string_view name;
    WebTarget target;
};

inline constexpr std::array<LinkCommand, 14> kLinkCommands = {{
    {"buildcredit", WebTarget::BusinessCredit},
    {"threeinone", WebTarget::ThreeInOneReport},
    {"freepcr", WebTarget::FreePersonalReport},
    {"credrep", WebTarget::CreditAudit},
    {"debtsaviors", WebTarget::DebtSaviors},
    {"lowermybills", WebTarget::BillReduction},
    {"preferredfinsol", WebTarget::PreferredFinancial},
    {"ccconsol", WebTarget::CardConsolidators},
    {"junum", WebTarget::Junum},
    {"debtconsol", WebTarget::DebtConsolidation},
    {"Calc", WebTarget::BusinessCalculators},
    {"getaloan", WebTarget::Loans},
    {"quillpress", WebTarget::QuillpressDownload},
    {"orderfull", WebTarget::OrderFullVersion},
}};

// The directory every link launch hands the shell.
inline constexpr std::string_view kLinkDirectory = "c:\\";

[[nodiscard]] const LinkCommand* findLinkCommand(std::string_view name) noexcept;

} // namespace tallywick
