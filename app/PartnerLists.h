// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "base/ProductFacts.h"
#include "catalogue/PartnerCatalogue.h"

#include <algorithm>
#include <array>

namespace tallywick {

// One list of the main window, all in one row: the list box that shows it,
// the button that opens its card applications, the label that counts it, and
// the catalogue it holds.
struct PartnerList {
    ControlId list;
    ControlId button;
    ControlId countLabel;
    PartnerCatalogue catalogue;
};

// In the order they are read at start-up.
// clang-format off
inline constexpr auto kPartnerLists = std::to_array<PartnerList>({
    {ControlId::List1, ControlId::Command2, ControlId::Label1,
     {kAmericanExpressListFile, " American Express Cards",
      "https://www.americanexpress.com/us/credit-cards/business/", 40}},
    {ControlId::List2, ControlId::Command4, ControlId::Label5,
     {kVisaMastercardListFile, " Visa / MasterCard Cards",
      "https://www.capitalone.com/small-business/credit-cards/", 40}},
    {ControlId::List3, ControlId::Command5, ControlId::Label6,
     {kRetailListFile, " Retail Business Cards",
      "https://www.homedepot.com/c/credit-center", 60}},
});
// clang-format on
static_assert(std::all_of(kPartnerLists.begin(), kPartnerLists.end(), [](const PartnerList& row) {
    return row.catalogue.complete() && design(row.list).kind == ControlKind::ListBox &&
           design(row.button).kind == ControlKind::CommandButton &&
           design(row.countLabel).kind == ControlKind::Label;
}));

} // namespace tallywick
