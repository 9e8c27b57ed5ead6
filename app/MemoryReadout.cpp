// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "app/MemoryReadout.h"

namespace tallywick {

std::string memoryCaption(std::uint64_t bytes, const NumberSymbols& symbols) {
    // Integer rounding: exact for every 64-bit count, unlike a double.
    const std::uint64_t kilobytes = bytes / 1024 + (bytes % 1024 >= 512 ? 1 : 0);
    std::string caption = kilobytes == 0 ? std::string() : groupedInThrees(kilobytes, symbols);
    caption += " KB";
    return caption;
}

} // namespace tallywick
