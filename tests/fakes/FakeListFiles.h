// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// A fake list-file port: files held in memory, handed out a few bytes at a
// time, each open and close written to a journal shared with the other fakes.
// A file can be made to fail after some of its bytes, as a disk that goes bad
// in the middle of a read. And the entries of a list as strings, to compare.

#include "base/ProductFacts.h"
#include "base/RunTimeError.h"
#include "catalogue/ListFileLoader.h"
#include "ports/ListFilePort.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tallywick::testing {

using Journal = std::vector<std::string>;

inline std::vector<std::string> entryTexts(const ListEntries& entries) {
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        texts.emplace_back(entries[i]);
    }
    return texts;
}

// A list file's entries as strings, read as start-up reads it.
inline std::vector<std::string> loadEntryTexts(ListFilePort& files, const std::string& name) {
    return entryTexts(loadListEntries(files, name));
}

class FakeListFiles final : public ListFilePort {
public:
    explicit FakeListFiles(Journal& journal) : journal_(journal) {}

    std::unique_ptr<ListFile> open(const std::string& name) override {
        journal_.push_back("open " + name);
        const auto it = files.find(name);
        if (it == files.end()) {
            throw fileError(ErrorNumber::FileNotFound, name);
        }
        const auto failing = failAfter.find(name);
        return std::make_unique<File>(it->second, name, journal_,
                                      failing == failAfter.end() ? std::nullopt
                                                                 : std::optional(failing->second));
    }

    // The three list files, in the order of their catalogues.
    void deliver(const std::string& amex, const std::string& visa, const std::string& retail) {
        files = {{std::string(kAmericanExpressListFile), amex},
                 {std::string(kVisaMastercardListFile), visa},
                 {std::string(kRetailListFile), retail}};
    }

    std::map<std::string, std::string> files;
    // Files whose reads fail once this many of their bytes have been read.
    std::map<std::string, std::size_t> failAfter;

private:
    // Hands out its bytes a few at a time, as a real file may.
    class File final : public ListFile {
    public:
        File(std::string bytes, std::string name, Journal& journal,
             std::optional<std::size_t> failAfter)
            : bytes_(std::move(bytes)), name_(std::move(name)), journal_(journal),
              failAfter_(failAfter) {}
        ~File() override { journal_.push_back("close " + name_); }
        std::size_t read(char* buffer, std::size_t size) override {
            if (failAfter_ && offset_ >= *failAfter_) {
                throw fileError(ErrorNumber::DeviceIo, name_);
            }
            const std::size_t n = std::min({size, bytes_.size() - offset_, std::size_t{7}});
            bytes_.copy(buffer, n, offset_);
            offset_ += n;
            return n;
        }

    private:
        std::string bytes_;
        std::string name_;
        Journal& journal_;
        std::optional<std::size_t> failAfter_;
        std::size_t offset_ = 0;
    };

    Journal& journal_;
};

} // namespace tallywick::testing
