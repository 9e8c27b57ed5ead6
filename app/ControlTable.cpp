// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/ControlTable.h"

#include "base/IndexedTable.h"
#include "base/ProductFacts.h"

#include <algorithm>

namespace tallywick {

static_assert(rowsFollowTheirIds(kControlTable), "design() indexes the control table by id");

const ControlSpec* findControl(std::string_view name) noexcept {
    const auto* found = std::find_if(kControlTable.begin(), kControlTable.end(),
                                     [name](const ControlSpec& row) { return row.name() == name; });
    return found == kControlTable.end() ? nullptr : found;
}

std::vector<const ControlSpec*> controlsInTabOrder() {
    std::vector<const ControlSpec*> ordered;
    ordered.reserve(kControlTable.size());
    for (const ControlSpec& row : kControlTable) {
        ordered.push_back(&row);
    }
    std::sort(ordered.begin(), ordered.end(),
              [](const ControlSpec* a, const ControlSpec* b) { return a->tabIndex < b->tabIndex; });
    return ordered;
}

const std::string& mainWindowTitle() {
    // Two blanks after the dash and two after the version.
    static const std::string kTitle = std::string(kProductName) + " -  LIMITED VERSION " +
                                      std::string(kEditionVersion) + "  brought to you by " +
                                      std::string(kPublisherSiteName);
    return kTitle;
}

} // namespace tallywick
