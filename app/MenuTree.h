#pragma once

#include <array>
#include <string_view>

namespace tallywick {

// What choosing a menu item does.
enum class MenuAction { DropDown, WebLink, About };

struct MenuItemSpec {
    int level; // 0: on the bar; 1: in the drop-down of the level-0 entry above it
    std::string_view name;
    std::string_view caption; // '&' marks the access key
    MenuAction action;
};

// The menu bar, in display order: bar entries from left to right, each
// drop-down's items from top to bottom right after their entry.
inline constexpr std::array<MenuItemSpec, 18> kMenuTree = {{
    {0, "buildcredit", "&Build Business Credit", MenuAction::WebLink},
    {0, "creditreports", "&Credit Reports", MenuAction::DropDown},
    {1, "threeinone", "&3 in 1 Report Instantly Online", MenuAction::WebLink},
    {1, "freepcr", "F&ree Personal Credit Report", MenuAction::WebLink},
    {0, "credrep", "Credit &Repair", MenuAction::WebLink},
    {0, "creditrepair", "Credit Reso&urces", MenuAction::DropDown},
    {1, "debtsaviors", "&Debt Saviors", MenuAction::WebLink},
    {1, "lowermybills", "&LowerBillsNow", MenuAction::WebLink},
    {1, "preferredfinsol", "Preferred &Financial Solutions", MenuAction::WebLink},
    {1, "ccconsol", "Credit C&ard Consolidators", MenuAction::WebLink},
    {1, "junum", "&Junum - Complete Credit Management", MenuAction::WebLink},
    {1, "debtconsol", "De&bt Consolidation", MenuAction::WebLink},
    {0, "Calc", "Calc&ulators", MenuAction::WebLink},
    {0, "getaloan", "Get a &Loan", MenuAction::WebLink},
    {0, "quillpress", "Quill&press", MenuAction::WebLink},
    {0, "Localhelp", "&Help", MenuAction::DropDown},
    {1, "orderfull", "Order the full &version", MenuAction::WebLink},
    {1, "abouttwk", "About The Tallywick", MenuAction::About},
}};

[[nodiscard]] const MenuItemSpec* findMenuItem(std::string_view name) noexcept;

} // namespace tallywick
