// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/ListFilePort.h"

namespace tallywick {

class PosixListFileSource final : public ListFilePort {
public:
    [[nodiscard]] std::unique_ptr<ListFile> open(const std::string& name) override;
};

} // namespace tallywick
