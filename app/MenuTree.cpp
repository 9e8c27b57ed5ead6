#include "app/MenuTree.h"

#include "app/FindByName.h"

namespace tallywick {

const MenuItemSpec* findMenuItem(std::string_view name) noexcept {
    return findByName(kMenuTree, name);
}

} // namespace tallywick
