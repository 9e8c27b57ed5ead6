// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

namespace tallywick {

// The system's own words for a Windows error code, in UTF-8 and in the
// user's language, as a phrase without its full stop ("The network path was
// not found"); "error N" where the system has none.
[[nodiscard]] std::string systemErrorText(unsigned long error);

} // namespace tallywick
