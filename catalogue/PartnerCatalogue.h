// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/ProductFacts.h"
#include "launch/WebTargets.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tallywick {

// The three catalogues of card sources.
enum class Catalogue : std::size_t { AmericanExpress, VisaMastercard, Retail };

// One catalogue: the file it is read from, the words after its count, the
// issuer's application page its first source opens, and the last index whose
// source has no page of its own in the limited edition.
struct PartnerCatalogue {
    Catalogue id;
    std::string_view fileName;
    std::string_view countSuffix;
    WebTarget issuerPage;
    int lastEmptyIndex;
};

// In the order they are read at start-up.
inline constexpr std::array<PartnerCatalogue, 3> kPartnerCatalogues = {{
    {Catalogue::AmericanExpress, kListFileNames[0], " American Express Cards",
     WebTarget::AmexApplication, 40},
    {Catalogue::VisaMastercard, kListFileNames[1], " Visa / MasterCard Cards",
     WebTarget::VisaMastercardApplication, 40},
    {Catalogue::Retail, kListFileNames[2], " Retail Business Cards", WebTarget::RetailApplication,
     60},
}};
static_assert(kPartnerCatalogues.size() == kListFileNames.size(), "one list file a catalogue");

[[nodiscard]] constexpr const PartnerCatalogue& partnerCatalogue(Catalogue id) noexcept {
    return kPartnerCatalogues[static_cast<std::size_t>(id)];
}

// "12 American Express Cards": plain digits, no grouping, no singular form.
[[nodiscard]] std::string countCaption(std::size_t count, std::string_view suffix);

} // namespace tallywick
