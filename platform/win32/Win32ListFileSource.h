// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/ListFilePort.h"

namespace tallywick {

// List files on Windows: opened with CreateFileW for reading (others may read
// them too), anything but a disk file refused before it is read, and each
// file's fields decoded from UTF-8 or from the ANSI code page, as the file as
// a whole is written.
class Win32ListFileSource final : public ListFilePort {
public:
    [[nodiscard]] std::unique_ptr<ListFile> open(const std::string& name) override;
};

} // namespace tallywick
