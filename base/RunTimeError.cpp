// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "base/RunTimeError.h"

namespace tallywick {

std::string RunTimeError::reportText() const {
    return "Run-time error '" + std::to_string(static_cast<int>(number_)) + "':\n\n" + what();
}

} // namespace tallywick
