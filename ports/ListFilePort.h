// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/TextDecoding.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tallywick {

// One list file opened for sequential reading; closed when destroyed.
class ListFile {
public:
    virtual ~ListFile() = default;
    // Reads up to size bytes; 0 at the end of the file. A read failure throws
    // RunTimeError (device I/O error).
    virtual std::size_t read(char* buffer, std::size_t size) = 0;

    // One field's bytes as UTF-8, from the encoding this file is in: by
    // default UTF-8, with a Windows-1252 fallback for bytes that are not.
    [[nodiscard]] virtual std::string decode(std::string_view bytes) const {
        return decodeListText(bytes);
    }
};

// Opens list files by their bare name in the process's working folder.
// Throws RunTimeError: file not found, permission denied, or path/file access
// error for anything that is not a regular file.
class ListFilePort {
public:
    virtual ~ListFilePort() = default;
    [[nodiscard]] virtual std::unique_ptr<ListFile> open(const std::string& name) = 0;
};

} // namespace tallywick
