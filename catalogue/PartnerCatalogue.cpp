// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "catalogue/PartnerCatalogue.h"

namespace tallywick {

std::string countCaption(std::size_t count, std::string_view suffix) {
    std::string caption = std::to_string(count);
    caption += suffix;
    return caption;
}

} // namespace tallywick
