#include "launch/LinkCommands.h"

#include "app/FindByName.h"

namespace tallywick {

const LinkCommand* findLinkCommand(std::string_view name) noexcept {
    return findByName(kLinkCommands, name);
}

} // namespace tallywick
