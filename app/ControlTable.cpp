#include "app/ControlTable.h"

#include "app/FindByName.h"
#include "launch/WebTargets.h"

#include <algorithm>

namespace tallywick {

const ControlSpec* findControl(std::string_view name) noexcept {
    return findByName(kControlTable, name);
}

std::vector<const ControlSpec*> controlsInTabOrder() {
    std::vector<const ControlSpec*> ordered;
    ordered.reserve(kControlTable.size());
    for (const ControlSpec& design : kControlTable) {
        ordered.push_back(&design);
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    return ordered;
}

std::string_view mainWindowTitle() noexcept {
    static constexpr std::string_view kTitle =
        "TALLYWICK -  LIMITED VERSION 1.0  brought to you by tallywick.example";
    static_assert(kTitle.ends_with(kPublisherSiteName));
    return kTitle;
}

} // namespace tallywick
