// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/ProductFacts.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tallywick {

// Style values of the Windows message box; the same numbers travel through
// every front-end so that the Win32 one can pass them straight on.
namespace BoxStyle {
inline constexpr std::uint32_t Ok = 0x0000;
inline constexpr std::uint32_t IconError = 0x0010;
inline constexpr std::uint32_t IconWarning = 0x0030;
inline constexpr std::uint32_t SystemModal = 0x1000;
inline constexpr std::uint32_t IconMask = 0x00F0;
} // namespace BoxStyle

struct MessageBoxRequest {
    std::string text;
    std::optional<std::string> title; // none: the application's title
    std::uint32_t style = BoxStyle::Ok;

    [[nodiscard]] std::string shownTitle() const {
        return title.value_or(std::string(kProductName));
    }
    bool operator==(const MessageBoxRequest&) const = default;
};

// Modal message boxes: show() returns only once the user has dismissed the box.
class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    virtual void show(const MessageBoxRequest& request) = 0;
};

} // namespace tallywick
