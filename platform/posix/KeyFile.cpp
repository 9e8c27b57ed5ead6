// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/KeyFile.h"

#include "platform/posix/Descriptor.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <unistd.h>

namespace tallywick {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

// A key: no blanks, controls, brackets or '=', except one trailing "[locale]".
bool isKey(std::string_view key) {
    if (const auto open = key.find('['); open != std::string_view::npos) {
        if (open == 0 || !key.ends_with(']')) {
            return false;
        }
        const std::string_view locale = key.substr(open + 1, key.size() - open - 2);
        if (locale.empty() || locale.find_first_of("[]") != std::string_view::npos) {
            return false;
        }
        key = key.substr(0, open);
    }
    return !key.empty() && std::none_of(key.begin(), key.end(), [](char c) {
        return isControl(c) || isBlank(c) || c == '[' || c == ']' || c == '=';
    });
}

} // namespace

std::optional<KeyFile> KeyFile::parse(std::string_view text) {
    if (text.size() > kMaxBytes || text.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    KeyFile file;
    Group* group = nullptr;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1); // written on Windows
        }
        while (!line.empty() && isBlank(line.front())) {
            line.remove_prefix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '[') {
            const std::string_view header = trimmed(line);
            const std::string_view name = header.substr(1, header.size() - 2);
            if (header.size() < 3 || !header.ends_with(']') ||
                std::any_of(name.begin(), name.end(),
                            [](char c) { return isControl(c) || c == '[' || c == ']'; })) {
                return std::nullopt;
            }
            auto same = std::find_if(file.groups_.begin(), file.groups_.end(),
                                     [name](const Group& g) { return g.name == name; });
            group = same != file.groups_.end()
                        ? &*same
                        : &file.groups_.emplace_back(Group{std::string(name), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (group == nullptr || equals == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view key = trimmed(line.substr(0, equals));
        std::string_view value = line.substr(equals + 1);
        while (!value.empty() && isBlank(value.front())) {
            value.remove_prefix(1);
        }
        if (!isKey(key)) {
            return std::nullopt;
        }
        auto& entries = group->entries;
        auto same = std::find_if(entries.begin(), entries.end(),
                                 [key](const Entry& e) { return e.key == key; });
        if (same != entries.end()) {
            same->value = value;
        } else {
            entries.push_back({std::string(key), std::string(value)});
        }
    }
    return file;
}

std::optional<KeyFile> KeyFile::load(const std::string& path) {
    const Descriptor file(openRegularFile(path).fd);
    if (!file.valid()) {
        return std::nullopt;
    }
    std::string text;
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0 || text.size() + static_cast<std::size_t>(got) > kMaxBytes) {
            return std::nullopt;
        }
        if (got == 0) {
            return parse(text);
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

std::optional<std::string_view> KeyFile::value(std::string_view group, std::string_view key) const {
    for (const Group& g : groups_) {
        if (g.name != group) {
            continue;
        }
        for (const Entry& entry : g.entries) {
            if (entry.key == key) {
                return entry.value;
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> unescapeString(std::string_view value) {
    std::string text;
    text.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\') {
            text += value[i];
            continue;
        }
        if (++i == value.size()) {
            return std::nullopt;
        }
        switch (value[i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            return std::nullopt;
        }
    }
    return text;
}

std::vector<std::string> splitList(std::string_view value) {
    std::vector<std::string> items;
    std::string item;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';') {
            item += ';';
            ++i;
        } else if (value[i] == ';') {
            if (!item.empty()) {
                items.push_back(std::move(item));
            }
            item.clear();
        } else {
            item += value[i];
        }
    }
    if (!item.empty()) {
        items.push_back(std::move(item));
    }
    return items;
}

bool isTrue(std::optional<std::string_view> value) noexcept {
    return value == "true" || value == "1";
}

} // namespace tallywick
