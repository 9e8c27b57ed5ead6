// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// libFuzzer target for what the program reads of the desktop's MIME
// associations: mimeapps.list and mimeinfo.cache, the desktop entries they
// name, and an entry's Exec line. The input is the text of such a file, then
// after a NUL byte the name of a file to open. Beyond "no crash", every input
// keeps:
// - a key file written back (one header and one line an entry) reads the
//   same groups, keys and values;
// - every desktop file ID a list names is a plain file name ending in
//   ".desktop", so that none leads out of the folders of desktop entries;
// - a string value escaped again unescapes to the same text;
// - of an Exec line (the whole text, and an entry's own): the program is the
//   one written, never a file; the file reaches the commands verbatim, field
//   codes and all, one command for it; the commands without files, quoted
//   again, read as the same command.

#include "platform/posix/DesktopEntry.h"
#include "platform/posix/ExecLine.h"
#include "platform/posix/KeyFile.h"
#include "platform/posix/MimeAssociations.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tallywick::ExecLine;
using tallywick::KeyFile;

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

std::string writtenBack(const KeyFile& file) {
    std::string text;
    for (const KeyFile::Group& group : file.groups()) {
        text += "[" + group.name + "]\r\n";
        for (const KeyFile::Entry& entry : group.entries) {
            text += entry.key + "=" + entry.value + "\r\n";
        }
    }
    return text;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// An argument as an Exec line writes it: '%' doubled, quoted when it holds
// a reserved character or nothing.
std::string quotedForExec(std::string_view argument) {
    std::string text;
    for (const char c : argument) {
        text += c == '%' ? "%%" : std::string(1, c);
    }
    if (!text.empty() && text.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + "\"";
}

void checkExecLine(std::string_view line, const std::string& file) {
    const auto exec = ExecLine::parse(line);
    if (!exec) {
        return;
    }
    const ExecLine::Entry entry{"icon", "Name", "/x.desktop"};
    const auto none = exec->commands({}, entry);
    check(none.size() == 1 && none.front().front() == exec->program());

    std::string again;
    for (const std::string& argument : none.front()) {
        again += (again.empty() ? "" : " ") + quotedForExec(argument);
    }
    const auto reread = ExecLine::parse(again);
    check(reread && !reread->takesFiles() && reread->commands({}, entry) == none);

    const auto one = exec->commands({file}, entry);
    check(one.size() == 1 && one.front().front() == exec->program());
    if (exec->takesFiles() && !file.empty()) {
        check(std::any_of(
            one.front().begin() + 1, one.front().end(),
            [&](const std::string& argument) { return argument.find(file) != std::string::npos; }));
    }
    const auto two = exec->commands({file, "%k"}, entry);
    check(two.size() == 1 || two.size() == 2);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto nul = input.find('\0');
    const std::string_view text = input.substr(0, nul);
    const std::string file(nul == std::string_view::npos ? "%f \"%k\"" : input.substr(nul + 1));

    checkExecLine(text, file);
    const auto keyFile = KeyFile::parse(text);
    if (!keyFile) {
        return 0;
    }
    const auto reread = KeyFile::parse(writtenBack(*keyFile));
    check(reread && writtenBack(*reread) == writtenBack(*keyFile));

    for (const KeyFile::Group& group : keyFile->groups()) {
        for (const KeyFile::Entry& entry : group.entries) {
            check(keyFile->value(group.name, entry.key) == entry.value);
            for (const std::string& id :
                 tallywick::MimeAssociations::desktopIds(*keyFile, group.name, entry.key)) {
                check(id.ends_with(".desktop") && id.find('/') == std::string::npos &&
                      !id.starts_with('.'));
            }
            if (const auto value = tallywick::unescapeString(entry.value)) {
                check(tallywick::unescapeString(escaped(*value)) == value);
                if (entry.key == "Exec") {
                    checkExecLine(*value, file);
                }
            }
        }
    }
    // An entry is read without a crash whatever it holds; its program is
    // looked for on this machine's PATH.
    (void)tallywick::DesktopEntry::fromKeyFile(*keyFile, "/x.desktop");
    return 0;
}
