// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace tallywick {

struct ProgramOutput {
    bool finished = false; // it ran and exited with 0 within the bounds
    std::string output;    // what it wrote on its standard output
    std::string failure;   // otherwise, why: a phrase
};

// Runs program (an absolute path) with arguments, without a shell, and
// collects its standard output. A program that runs longer than timeout, or
// writes more than limit bytes, is ended (by its process id) and counts as
// failed; it is always reaped.
[[nodiscard]] ProgramOutput runForOutput(const std::string& program,
                                         const std::vector<std::string>& arguments,
                                         std::chrono::milliseconds timeout, std::size_t limit);

} // namespace tallywick
