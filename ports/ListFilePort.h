// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

#include "base/GrowingArray.h"
#include "base/TextDecoding.h"

#include <cstddef>
#include <cstdint>
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
    // The size the file claims, to make room for it at once; 0 when it does
    // not say. What is read may be more or less (a sparse or /proc file).
    [[nodiscard]] virtual std::uint64_t claimedSize() const { return 0; }
};

// Opens list files by their bare name in the process's working folder, and
// knows the legacy code page that files without a byte-order mark are
// written in when they are not UTF-8.
class ListFilePort {
public:
    virtual ~ListFilePort() = default;
    // Throws RunTimeError: file not found, permission denied, or path/file
    // access error for anything that is not a regular file (recognised
    // without opening it for reading: opening a device can have effects).
    [[nodiscard]] virtual std::unique_ptr<ListFile> open(const std::string& name) = 0;

    // Text in the legacy code page, appended to out as UTF-8: Windows-1252,
    // what list files carried over from Western Windows systems are in,
    // unless the system has a code page of its own.
    virtual void appendLegacyText(std::string_view bytes, GrowingArray<char>& out) const {
        appendWindows1252AsUtf8(bytes, out);
    }
};

} // namespace tallywick
