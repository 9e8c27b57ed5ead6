// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// A list-file port over bytes held in memory, handed out at most chunk bytes
// a read, for the fuzz targets' readings and their references.

#include "ports/ListFilePort.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

namespace tallywick::fuzzing {

class MemoryListFiles final : public ListFilePort {
public:
    MemoryListFiles(std::string bytes, std::size_t chunk)
        : bytes_(std::move(bytes)), chunk_(chunk) {}
    std::unique_ptr<ListFile> open(const std::string& /*name*/) override {
        return std::make_unique<File>(bytes_, chunk_);
    }

private:
    class File final : public ListFile {
    public:
        File(const std::string& bytes, std::size_t chunk) : bytes_(bytes), chunk_(chunk) {}
        std::size_t read(char* buffer, std::size_t size) override {
            const std::size_t n = std::min({size, chunk_, bytes_.size() - offset_});
            std::memcpy(buffer, bytes_.data() + offset_, n);
            offset_ += n;
            return n;
        }

    private:
        const std::string& bytes_;
        std::size_t chunk_;
        std::size_t offset_ = 0;
    };
    std::string bytes_;
    std::size_t chunk_;
};

} // namespace tallywick::fuzzing
