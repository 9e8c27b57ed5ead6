// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/CardApplication.h"

namespace tallywick {

std::string_view secondApplicationTarget(const PartnerCatalogue& catalogue,
                                         int selectedIndex) noexcept {
    if (selectedIndex == 0) {
        return catalogue.issuerPage;
    }
    if (selectedIndex >= 1 && selectedIndex <= catalogue.lastEmptyIndex) {
        return {};
    }
    return kPublisherHomePage;
}

} // namespace tallywick
