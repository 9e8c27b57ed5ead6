// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// The command line of a desktop entry's Exec key, as desktops read it:
// arguments separated by spaces, quoted in whole with double quotes (inside
// which \" \` \$ \\ stand for the character), and field codes for what the
// launcher fills in. A line that breaks those rules is no command line at
// all: a reserved character outside quotes, an unknown field code, two file
// field codes, %F, %U or %i inside an argument, a field code in the
// program's name.
class ExecLine {
public:
    // From the value with its string escapes already undone.
    [[nodiscard]] static std::optional<ExecLine> parse(std::string_view line);

    // The program's name or path, as written.
    [[nodiscard]] const std::string& program() const noexcept { return arguments_.front(); }
    // Whether it takes files (a %f, %F, %u or %U).
    [[nodiscard]] bool takesFiles() const noexcept { return takesFiles_; }

    // What the entry names besides its command line, for %i, %c and %k.
    struct Entry {
        std::string icon;
        std::string name;
        std::string location;
    };

    // The commands that open the files: one for all of them, or one for each
    // where the line takes a single file (%f, %u). Each file is one argument,
    // as given, never split or expanded again; deprecated field codes are
    // dropped. Each command starts with the program's name as written.
    [[nodiscard]] std::vector<std::vector<std::string>>
    commands(const std::vector<std::string>& files, const Entry& entry) const;

private:
    std::vector<std::string> arguments_; // unquoted, field codes still in them
    bool takesFiles_ = false;
    bool oneFileEach_ = false;
};

} // namespace tallywick
