#include "app/ControlTable.h"

#include "app/FindByName.h"
#include "launch/WebTargets.h"

namespace tallywick {

const ControlSpec* findControl(std::string_view name) noexcept {
    return findByName(kControlTable, name);
}

std::string_view mainWindowTitle() noexcept {
    static constexpr std::string_view kTitle =
        "TALLYWICK -  LIMITED VERSION 1.0  brought to you by tallywick.example";
    static_assert(kTitle.ends_with(kPublisherSiteName));
    return kTitle;
}

} // namespace tallywick
