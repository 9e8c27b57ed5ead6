// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

namespace tallywick {

// Tells whether another copy of the program already runs in this session.
class InstancePort {
public:
    virtual ~InstancePort() = default;
    // True when this copy may run: no other copy holds the claim, or the
    // claim cannot be made at all (a broken lock never keeps the program
    // from starting). The claim lasts as long as the process.
    [[nodiscard]] virtual bool claim() = 0;
};

} // namespace tallywick
