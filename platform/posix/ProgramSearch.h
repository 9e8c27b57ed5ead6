// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tallywick {

// The absolute path of the executable file a program's name stands for: a
// name with a slash is that file; a bare name is looked up in the folders of
// PATH that are absolute, never in the working folder, which is the user's
// list folder and may come from an archive or a share, execute bits and all.
// Nothing when there is no such executable regular file.
[[nodiscard]] std::optional<std::string> findProgram(std::string_view name);

// The folders of a PATH value that are absolute, in their order: what started
// programs are given, so that they too never look for programs in the working
// folder.
[[nodiscard]] std::string absoluteSearchPath(std::string_view path);

// Whether the path names a regular file we may execute.
[[nodiscard]] bool isExecutableFile(const std::string& path);

// The path made absolute against the working folder, so that a program is
// always named in full, and a file name handed on can never read as an
// option.
[[nodiscard]] std::string absolutePath(const std::string& path);

} // namespace tallywick
