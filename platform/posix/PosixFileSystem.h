// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "ports/FileSystemPort.h"

namespace tallywick {

// The file-system port on POSIX systems. Copies are created with O_EXCL and
// O_NOFOLLOW and flushed with fsync; a rename that must not replace uses
// renameat2(RENAME_NOREPLACE), or where the file system lacks it a hard link
// (which never replaces either) and an unlink. A folder is locked with flock
// on the folder itself.
class PosixFileSystem final : public FileSystemPort {
public:
    [[nodiscard]] char separator() const noexcept override { return '/'; }
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
