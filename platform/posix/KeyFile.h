// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// A file in the format freedesktop.org's desktop entries, MIME association
// lists and their caches share: [Group] headers, Key=Value lines, # comments.
// They come from the user's and the system's folders, which may hold
// anything, so they are read as outside input: a file that is no such text
// at all (a NUL byte, a line that is neither header, entry, comment nor
// blank, an entry before any group) is no key file, and none is read past a
// bound far beyond any real one.
class KeyFile {
public:
    static constexpr std::size_t kMaxBytes = 4 << 20;

    [[nodiscard]] static std::optional<KeyFile> parse(std::string_view text);
    // Reads a regular file only, never a device, FIFO or folder (each is
    // recognised without being opened for reading), nor one larger than
    // kMaxBytes.
    [[nodiscard]] static std::optional<KeyFile> load(const std::string& path);

    // The value as written, after the blanks that follow '='; a group written
    // twice is one group, and of a key written twice in it the last counts.
    [[nodiscard]] std::optional<std::string_view> value(std::string_view group,
                                                        std::string_view key) const;

    struct Entry {
        std::string key;
        std::string value;
    };
    struct Group {
        std::string name;
        std::vector<Entry> entries;
    };
    [[nodiscard]] const std::vector<Group>& groups() const noexcept { return groups_; }

private:
    std::vector<Group> groups_;
};

// A string value with its escapes undone (\s \n \t \r \\); nothing when it
// holds any other escape.
[[nodiscard]] std::optional<std::string> unescapeString(std::string_view value);

// A list value split at its unescaped semicolons, "\;" kept as ';', empty
// items left out.
[[nodiscard]] std::vector<std::string> splitList(std::string_view value);

// "true" (or "1"), as a boolean value reads.
[[nodiscard]] bool isTrue(std::optional<std::string_view> value) noexcept;

} // namespace tallywick
