// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tallywick {

// Where programs may come from. The working folder is the user's list folder,
// which may come from an archive or a share, execute bits and all: no program
// is ever taken from it, nor from a folder inside it, by whatever name a path
// reaches it (its own path, a link to it or into it, /proc/self/cwd, a bind
// mount). Folders are compared by device and inode, both as each step of the
// path leads and where the path resolves to.

// Whether the path is absolute, exists, and neither passes through the
// working folder nor ends inside it. In the root folder, only the root
// folder itself and what lies directly in it count as the working folder's.
[[nodiscard]] bool liesOutsideWorkingFolder(std::string_view path);

// The folders programs are looked for in, resolved, in their order: those of
// a PATH value that are absolute, exist and lie outside the working folder;
// the system's own path when PATH is not set at all.
[[nodiscard]] std::vector<std::string> programFolders(const char* pathValue);

// The PATH started programs are given: programFolders() joined, so that they
// too never look for programs in the working folder; the system's own path
// when none is left, never an empty PATH, which shells read as "search the
// current folder"; empty only when even the system's path leads into the
// working folder (a program started in /usr, say), and then nothing may start.
[[nodiscard]] std::string childSearchPath(const char* pathValue);

// The absolute path of the executable file a program's name stands for: an
// absolute path is that file; a bare name is looked up in programFolders() of
// our PATH. Nothing when there is no such executable regular file outside the
// working folder, or the name is a relative path.
[[nodiscard]] std::optional<std::string> findProgram(std::string_view name);

// Whether the path names a regular file we may execute.
[[nodiscard]] bool isExecutableFile(const std::string& path);

// The path made absolute against the working folder, so that a program is
// always named in full, and a file name handed on can never read as an
// option.
[[nodiscard]] std::string absolutePath(const std::string& path);

} // namespace tallywick
