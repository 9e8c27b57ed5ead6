// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "launch/WebTargets.h"

#include <array>
#include <optional>
#include <string_view>

namespace tallywick {

// What choosing a menu item does.
enum class MenuAction { DropDown, WebLink, About };

struct MenuItemSpec {
    int level; // 0: on the bar; 1: in the drop-down of the level-0 entry above it
    std::string_view name;
    std::string_view caption; // '&' marks the access key
    MenuAction action;
    std::optional<WebTarget> page{}; // the page a web link opens
};

// The menu bar, in display order: bar entries from left to right, each
// drop-down's items from top to bottom right after their entry.
inline constexpr std::array<MenuItemSpec, 18> kMenuTree = {{
    {0, "buildcredit", "&Build Business Credit", MenuAction::WebLink, WebTarget::BusinessCredit},
    {0, "creditreports", "&Credit Reports", MenuAction::DropDown},
    {1, "threeinone", "&3 in 1 Report Instantly Online", MenuAction::WebLink,
     WebTarget::ThreeInOneReport},
    {1, "freepcr", "F&ree Personal Credit Report", MenuAction::WebLink,
     WebTarget::FreePersonalReport},
    {0, "credrep", "Credit &Repair", MenuAction::WebLink, WebTarget::CreditAudit},
    {0, "creditrepair", "Credit Reso&urces", MenuAction::DropDown},
    {1, "debtsaviors", "&Debt Saviors", MenuAction::WebLink, WebTarget::DebtSaviors},
    {1, "lowermybills", "&LowerBillsNow", MenuAction::WebLink, WebTarget::BillReduction},
    {1, "preferredfinsol", "Preferred &Financial Solutions", MenuAction::WebLink,
     WebTarget::PreferredFinancial},
    {1, "ccconsol", "Credit C&ard Consolidators", MenuAction::WebLink,
     WebTarget::CardConsolidators},
    {1, "junum", "&Junum - Complete Credit Management", MenuAction::WebLink, WebTarget::Junum},
    {1, "debtconsol", "De&bt Consolidation", MenuAction::WebLink, WebTarget::DebtConsolidation},
    {0, "Calc", "Calc&ulators", MenuAction::WebLink, WebTarget::BusinessCalculators},
    {0, "getaloan", "Get a &Loan", MenuAction::WebLink, WebTarget::Loans},
    {0, "quillpress", "Quill&press", MenuAction::WebLink, WebTarget::QuillpressDownload},
    {0, "Localhelp", "&Help", MenuAction::DropDown},
    {1, "orderfull", "Order the full &version", MenuAction::WebLink, WebTarget::OrderFullVersion},
    {1, "abouttwk", "About The Tallywick", MenuAction::About},
}};

[[nodiscard]] const MenuItemSpec* findMenuItem(std::string_view name) noexcept;

} // namespace tallywick
