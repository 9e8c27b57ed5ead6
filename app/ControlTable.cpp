// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/ControlTable.h"

#include "launch/WebTargets.h"

#include <algorithm>

namespace tallywick {

namespace {

constexpr bool rowsFollowTheirIds() {
    for (std::size_t i = 0; i < kControlTable.size(); ++i) {
        if (static_cast<std::size_t>(kControlTable[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(rowsFollowTheirIds(), "design() indexes the control table by id");

} // namespace

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
