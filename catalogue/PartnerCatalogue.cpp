// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/PartnerCatalogue.h"

namespace tallywick {

namespace {

constexpr bool catalogueRowsFollowTheirIds() {
    for (std::size_t i = 0; i < kPartnerCatalogues.size(); ++i) {
        if (static_cast<std::size_t>(kPartnerCatalogues[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(catalogueRowsFollowTheirIds(), "partnerCatalogue() indexes by id");

} // namespace

std::string countCaption(std::size_t count, std::string_view suffix) {
    std::string caption = std::to_string(count);
    caption += suffix;
    return caption;
}

} // namespace tallywick
