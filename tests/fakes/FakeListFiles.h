// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// A fake list-file source: files held in memory, handed out a few bytes at a
// time, each open and close written to a journal shared with the other fakes.

#include "base/RunTimeError.h"
#include "catalogue/ListFileSource.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tallywick::testing {

using Journal = std::vector<std::string>;

class FakeListFiles final : public ListFileSource {
public:
    explicit FakeListFiles(Journal& journal) : journal_(journal) {}

    std::unique_ptr<ListFile> open(const std::string& name) override {
        journal_.push_back("open " + name);
        const auto it = files.find(name);
        if (it == files.end()) {
            throw RunTimeError(ErrorNumber::FileNotFound, "File not found: " + name);
        }
        return std::make_unique<File>(it->second, name, journal_);
    }

    std::map<std::string, std::string> files;

private:
    // Hands out its bytes a few at a time, as a real file may.
    class File final : public ListFile {
    public:
        File(std::string bytes, std::string name, Journal& journal)
            : bytes_(std::move(bytes)), name_(std::move(name)), journal_(journal) {}
        ~File() override { journal_.push_back("close " + name_); }
        std::size_t read(char* buffer, std::size_t size) override {
            const std::size_t n = std::min({size, bytes_.size() - offset_, std::size_t{7}});
            bytes_.copy(buffer, n, offset_);
            offset_ += n;
            return n;
        }

    private:
        std::string bytes_;
        std::string name_;
        Journal& journal_;
        std::size_t offset_ = 0;
    };

    Journal& journal_;
};

} // namespace tallywick::testing
