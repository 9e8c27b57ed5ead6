// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "app/ControlTable.h"
#include "catalogue/PartnerCatalogue.h"

#include <array>

namespace tallywick {

// Where each catalogue stands on the main window: the list that shows it,
// the button that opens its card applications and the label that counts it.
struct PartnerControls {
    Catalogue catalogue;
    ControlId list;
    ControlId button;
    ControlId countLabel;
};

inline constexpr std::array<PartnerControls, 3> kPartnerControls = {{
    {Catalogue::AmericanExpress, ControlId::List1, ControlId::Command2, ControlId::Label1},
    {Catalogue::VisaMastercard, ControlId::List2, ControlId::Command4, ControlId::Label5},
    {Catalogue::Retail, ControlId::List3, ControlId::Command5, ControlId::Label6},
}};

} // namespace tallywick
