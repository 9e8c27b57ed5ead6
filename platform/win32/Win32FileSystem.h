// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/FileSystemPort.h"

namespace tallywick {

// The file-system port on Windows, through the wide API (paths in UTF-8
// here, UTF-16 at the call). A kind is looked up by opening the name for its
// attributes only, which follows symbolic links and junctions as Explorer
// does. Copies are created with CREATE_NEW (which fails on any name that is
// there, a link included) and flushed with FlushFileBuffers; a rename that
// must not replace is MoveFileExW without MOVEFILE_REPLACE_EXISTING, which
// the file system refuses at once when the name is taken. A folder is locked
// with a named mutex of the session, named after the folder as the system
// resolves it, so that every way of reaching it takes the same lock.
class Win32FileSystem final : public FileSystemPort {
public:
    [[nodiscard]] char separator() const noexcept override { return '\\'; }
    [[nodiscard]] PathKind kindOf(const std::string& path) override;
    [[nodiscard]] FileOutcome makeFolder(const std::string& path) override;
    [[nodiscard]] FileOutcome copyToNewFile(const std::string& source,
                                            const std::string& destination) override;
    [[nodiscard]] FileOutcome readFile(const std::string& path, std::size_t limit,
                                       std::string& bytes) override;
    [[nodiscard]] FileOutcome renameFile(const std::string& from, const std::string& to,
                                         bool replace) override;
    FileOutcome removeFile(const std::string& path) override;
    [[nodiscard]] std::unique_ptr<FolderLock> lockFolder(const std::string& path) override;
};

} // namespace tallywick
