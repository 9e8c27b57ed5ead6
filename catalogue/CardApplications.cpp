#include "catalogue/CardApplications.h"

namespace tallywick {

std::string_view secondApplicationTarget(const CardApplication& application,
                                         int selectedIndex) noexcept {
    if (selectedIndex == 0) {
        return webAddress(application.issuerPage);
    }
    if (selectedIndex >= 1 && selectedIndex <= application.lastEmptyIndex) {
        return {};
    }
    return webAddress(WebTarget::PublisherHome);
}

const CardApplication* findCardApplication(Button button) noexcept {
    for (const auto& application : kCardApplications) {
        if (application.button == button) {
            return &application;
        }
    }
    return nullptr;
}

} // namespace tallywick
