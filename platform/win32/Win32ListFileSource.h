// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/ListFilePort.h"

namespace tallywick {

// List files on Windows: anything but a disk file is refused before it is
// opened for reading; the file looked at is then reopened for reading (others
// may read it too). Files in no Unicode form are in the ANSI code page.
class Win32ListFileSource final : public ListFilePort {
public:
    [[nodiscard]] std::unique_ptr<ListFile> open(const std::string& name) override;
    void appendLegacyText(std::string_view bytes, GrowingArray<char>& out) const override;
};

// The code page list files in no Unicode form are read in, for a system whose
// ANSI code page is ansiCodePage: that code page, or Windows-1252 where the
// ANSI code page is UTF-8 ("Use Unicode UTF-8 for worldwide language
// support"), since a file that was UTF-8 would have been read as such.
[[nodiscard]] unsigned legacyCodePageFor(unsigned ansiCodePage) noexcept;

// Text in the code page, appended to out as UTF-8, as the system converts it.
void appendCodePageText(unsigned codePage, std::string_view bytes, GrowingArray<char>& out);

} // namespace tallywick
