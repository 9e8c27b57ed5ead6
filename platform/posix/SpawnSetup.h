// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <spawn.h>
#include <string>
#include <vector>

namespace tallywick {

// Owns the file actions and attributes of one posix_spawn call, the same for
// every program we start: standard input from /dev/null, no descriptor of
// ours but the standard ones, default signal handling with none blocked, a
// session of its own away from our terminal; optionally its standard output
// into a descriptor of ours and another working folder.
class SpawnSetup {
public:
    // Throws RunTimeError (out of memory) when the system cannot make them.
    explicit SpawnSetup(const std::optional<std::string>& folder, int output = -1);
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup();

    [[nodiscard]] const posix_spawn_file_actions_t* actions() const { return &actions_; }
    [[nodiscard]] const posix_spawnattr_t* attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_{};
    posix_spawnattr_t attributes_{};
};

// The argument vector posix_spawn takes: the program, its arguments and the
// closing null, pointing into the strings given, which must outlive it.
[[nodiscard]] std::vector<char*> argumentVector(const std::string& program,
                                                const std::vector<std::string>& arguments);

} // namespace tallywick
