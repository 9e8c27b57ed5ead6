// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/ControlTable.h"

#include "base/IndexedTable.h"
#include "launch/WebTargets.h"

#include <algorithm>

namespace tallywick {

static_assert(rowsFollowTheirIds(kControlTable), "design() indexes the control table by id");

const ControlSpec* findControl(std::string_view name) noexcept {
    const auto* found = std::find_if(kControlTable.begin(), kControlTable.end(),
                                     [name](const ControlSpec& row) { return row.name == name; });
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

std::string_view mainWindowTitle() noexcept {
    static constexpr std::string_view kTitle =
        "TALLYWICK -  LIMITED VERSION 1.0  brought to you by tallywick.example";
    static_assert(kTitle.ends_with(kPublisherSiteName));
    return kTitle;
}

} // namespace tallywick
