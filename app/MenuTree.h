// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>

namespace tallywick {

// What choosing a menu item does.
enum class MenuAction { DropDown, WebLink, About };

// One item of the menu bar. A web link is one such row: the name its command
// answers to, its caption and the page it opens, nowhere else.
struct MenuItemSpec {
    int level; // 0: on the bar; 1: in the drop-down of the level-0 entry above it
    std::string_view name;
    std::string_view caption; // '&' marks the access key
    MenuAction action;
    std::string_view page{}; // the address a web link opens
};

// The menu bar, in display order: bar entries from left to right, each
// drop-down's items from top to bottom right after their entry. The
// publisher, its partners and the affiliate network are fictional, so their
// pages lie under reserved .example domains; affiliate account A is 10427,
// account B 20981.
// clang-format off
inline constexpr auto kMenuTree = std::to_array<MenuItemSpec>({
    {0, "buildcredit", "&Build Business Credit", MenuAction::WebLink,
     "https://www.tallywick.example/business-credit/"},
    {0, "creditreports", "&Credit Reports", MenuAction::DropDown},
    {1, "threeinone", "&3 in 1 Report Instantly Online", MenuAction::WebLink,
     "https://track.affiliate-network.example/click?aid=10427&oid=3in1-instant-report"},
    {1, "freepcr", "F&ree Personal Credit Report", MenuAction::WebLink,
     "https://track.affiliate-network.example/click?aid=10427&oid=free-personal-report"},
    {0, "credrep", "Credit &Repair", MenuAction::WebLink,
     "https://www.tallywick.example/credit-audit/"},
    {0, "creditrepair", "Credit Reso&urces", MenuAction::DropDown},
    {1, "debtsaviors", "&Debt Saviors", MenuAction::WebLink,
     "https://track.affiliate-network.example/click?aid=20981&oid=debt-saviors"},
    {1, "lowermybills", "&LowerBillsNow", MenuAction::WebLink,
     "https://track.affiliate-network.example/click?aid=10427&oid=lowerbillsnow"},
    {1, "preferredfinsol", "Preferred &Financial Solutions", MenuAction::WebLink,
     "https://track.affiliate-network.example/click?aid=10427&oid=preferred-financial-solutions"},
    {1, "ccconsol", "Credit C&ard Consolidators", MenuAction::WebLink,
     "https://track.affiliate-network.example/click?aid=10427&oid=credit-card-consolidators"},
    {1, "junum", "&Junum - Complete Credit Management", MenuAction::WebLink,
     "https://track.affiliate-network.example/click?aid=10427&oid=junum-credit-management"},
    {1, "debtconsol", "De&bt Consolidation", MenuAction::WebLink,
     "https://apply.consolidation-partner.example/product/application?affid=TWK-5120"},
    {0, "Calc", "Calc&ulators", MenuAction::WebLink,
     "https://www.community-bank.example/business/calculators/"},
    {0, "getaloan", "Get a &Loan", MenuAction::WebLink,
     "https://www.tallywick.example/loans/"},
    {0, "quillpress", "Quill&press", MenuAction::WebLink,
     "https://downloads.quillpress.example/quillpress-setup.exe"},
    {0, "Localhelp", "&Help", MenuAction::DropDown},
    {1, "orderfull", "Order the full &version", MenuAction::WebLink,
     "https://www.tallywick.example/order-full-version/"},
    {1, "abouttwk", "About The Tallywick", MenuAction::About},
});
// clang-format on

[[nodiscard]] const MenuItemSpec* findMenuItem(std::string_view name) noexcept;

} // namespace tallywick
