// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/DesktopEntry.h"

#include "platform/posix/ProgramSearch.h"

namespace tallywick {

namespace {

constexpr std::string_view kGroup = "Desktop Entry";

std::optional<std::string> stringValue(const KeyFile& file, std::string_view key) {
    const auto value = file.value(kGroup, key);
    return value ? unescapeString(*value) : std::nullopt;
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::fromKeyFile(const KeyFile& file,
                                                      const std::string& location) {
    if (file.value(kGroup, "Type") != "Application" || isTrue(file.value(kGroup, "Hidden")) ||
        isTrue(file.value(kGroup, "Terminal"))) {
        return std::nullopt;
    }
    const auto line = stringValue(file, "Exec");
    auto exec = line ? ExecLine::parse(*line) : std::nullopt;
    if (!exec || !exec->takesFiles()) {
        return std::nullopt;
    }
    if (file.value(kGroup, "TryExec")) {
        const auto tryExec = stringValue(file, "TryExec");
        if (!tryExec || !findProgram(*tryExec)) {
            return std::nullopt;
        }
    }
    auto program = findProgram(exec->program());
    if (!program) {
        return std::nullopt;
    }
    ExecLine::Entry facts{stringValue(file, "Icon").value_or(""),
                          stringValue(file, "Name").value_or(""), location};
    return DesktopEntry(std::move(*exec), std::move(facts), std::move(*program));
}

std::optional<DesktopEntry> DesktopEntry::load(const std::string& path) {
    if (!liesOutsideWorkingFolder(path)) {
        return std::nullopt;
    }
    const auto file = KeyFile::load(path);
    return file ? fromKeyFile(*file, path) : std::nullopt;
}

std::vector<std::vector<std::string>>
DesktopEntry::commands(const std::vector<std::string>& files) const {
    auto commands = exec_.commands(files, facts_);
    for (auto& command : commands) {
        command.front() = program_;
    }
    return commands;
}

} // namespace tallywick
