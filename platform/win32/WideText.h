// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace tallywick {

// Conversions at the Windows API boundary. The core's texts are UTF-8; the
// wide API takes UTF-16 and the narrow one the ANSI code page. Invalid input
// becomes U+FFFD, and a character the ANSI code page cannot hold becomes its
// default character, as the system's own conversions do.
[[nodiscard]] std::wstring toWide(std::string_view utf8);
[[nodiscard]] std::string toUtf8(std::wstring_view wide);
[[nodiscard]] std::string toAnsi(std::wstring_view wide);
[[nodiscard]] std::wstring fromAnsi(std::string_view ansi);
[[nodiscard]] std::wstring fromCodePage(unsigned codePage, std::string_view bytes);

} // namespace tallywick
