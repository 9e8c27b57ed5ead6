// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ExecLine.h"

#include <algorithm>

namespace tallywick {

namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
constexpr std::string_view kFileCodes = "fFuU";
constexpr std::string_view kKnownCodes = "fFuUickdDnNvm%";

// Splits the line into its arguments with the quoting undone; nothing when
// the quoting is broken or a reserved character stands outside quotes.
std::optional<std::vector<std::string>> splitArguments(std::string_view line) {
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        std::string argument;
        if (line[i] == '"') {
            for (++i;; ++i) {
                if (i == line.size()) {
                    return std::nullopt; // no closing quote
                }
                if (line[i] == '"') {
                    ++i;
                    break;
                }
                if (line[i] == '\\') {
                    if (++i == line.size() ||
                        kEscapedInQuotes.find(line[i]) == std::string_view::npos) {
                        return std::nullopt;
                    }
                }
                argument += line[i];
            }
            // A quoted argument ends where it closes.
            if (i < line.size() && line[i] != ' ') {
                return std::nullopt;
            }
        } else {
            for (; i < line.size() && line[i] != ' '; ++i) {
                if (kReserved.find(line[i]) != std::string_view::npos) {
                    return std::nullopt;
                }
                argument += line[i];
            }
        }
        arguments.push_back(std::move(argument));
    }
    return arguments;
}

// The field codes of an argument, in order ('%' for "%%"); nothing when one
// is unknown or a '%' ends it.
std::optional<std::string> fieldCodes(std::string_view argument) {
    std::string codes;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        if (argument[i] != '%') {
            continue;
        }
        if (++i == argument.size() || kKnownCodes.find(argument[i]) == std::string_view::npos) {
            return std::nullopt;
        }
        codes += argument[i];
    }
    return codes;
}

bool isFileCode(char code) {
    return kFileCodes.find(code) != std::string_view::npos;
}

} // namespace

std::optional<ExecLine> ExecLine::parse(std::string_view line) {
    auto arguments = splitArguments(line);
    if (!arguments || arguments->empty() || arguments->front().empty() ||
        arguments->front().find_first_of("%=") != std::string::npos) {
        return std::nullopt;
    }
    ExecLine exec;
    int fileCodes = 0;
    for (const std::string& argument : *arguments) {
        const auto codes = fieldCodes(argument);
        if (!codes) {
            return std::nullopt;
        }
        for (const char code : *codes) {
            // %F, %U and %i stand for whole arguments of their own.
            if ((code == 'F' || code == 'U' || code == 'i') && argument.size() != 2) {
                return std::nullopt;
            }
            if (isFileCode(code)) {
                ++fileCodes;
                exec.oneFileEach_ = code == 'f' || code == 'u';
            }
        }
    }
    if (fileCodes > 1) {
        return std::nullopt;
    }
    exec.takesFiles_ = fileCodes == 1;
    exec.arguments_ = std::move(*arguments);
    return exec;
}

std::vector<std::vector<std::string>> ExecLine::commands(const std::vector<std::string>& files,
                                                         const Entry& entry) const {
    // For a single-file line each file gets a command of its own; with no
    // file at all the command still runs once.
    std::vector<std::vector<std::string>> fileSets;
    if (oneFileEach_ && files.size() > 1) {
        for (const std::string& file : files) {
            fileSets.push_back({file});
        }
    } else {
        fileSets.push_back(files);
    }
    std::vector<std::vector<std::string>> commands;
    for (const std::vector<std::string>& given : fileSets) {
        std::vector<std::string>& command = commands.emplace_back();
        for (const std::string& argument : arguments_) {
            if (argument == "%F" || argument == "%U") {
                command.insert(command.end(), given.begin(), given.end());
                continue;
            }
            if (argument == "%i") {
                if (!entry.icon.empty()) {
                    command.emplace_back("--icon");
                    command.push_back(entry.icon);
                }
                continue;
            }
            std::string expanded;
            bool onlyCodes = !argument.empty();
            for (std::size_t i = 0; i < argument.size(); ++i) {
                if (argument[i] != '%') {
                    expanded += argument[i];
                    onlyCodes = false;
                    continue;
                }
                switch (argument[++i]) {
                case '%':
                    expanded += '%';
                    onlyCodes = false;
                    break;
                case 'f':
                case 'u':
                    expanded += given.empty() ? std::string() : given.front();
                    onlyCodes = onlyCodes && given.empty();
                    break;
                case 'c':
                    expanded += entry.name;
                    onlyCodes = false;
                    break;
                case 'k':
                    expanded += entry.location;
                    onlyCodes = false;
                    break;
                default: // a deprecated code expands to nothing
                    break;
                }
            }
            // An argument that was nothing but codes that expanded to nothing
            // goes, rather than reaching the program as an empty argument.
            if (!(onlyCodes && expanded.empty())) {
                command.push_back(std::move(expanded));
            }
        }
    }
    return commands;
}

} // namespace tallywick
