#pragma once

#include "app/Controls.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tallywick {

// One of the three lists of card sources: the file it is read from, the list
// box that shows it and the label that counts it.
struct PartnerCatalogue {
    std::string_view fileName;
    ListBox list;
    Label countLabel;
    std::string_view countSuffix;
};

inline constexpr std::array<PartnerCatalogue, 3> kPartnerCatalogues = {{
    {"buslist.txt", ListBox::List1, Label::Label1, " American Express Cards"},
    {"buslistb.txt", ListBox::List2, Label::Label5, " Visa / MasterCard Cards"},
    {"buslistc.txt", ListBox::List3, Label::Label6, " Retail Business Cards"},
}};

// "12 American Express Cards": plain digits, no grouping, no singular form.
[[nodiscard]] std::string countCaption(std::size_t count, std::string_view suffix);

} // namespace tallywick
