// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#pragma once

// A file system in memory for the launcher's core: paths with '/', what each
// holds, faults to answer with, and a journal of every change and lock.

#include "ports/FileSystemPort.h"

#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallywick::testing {

// What a power cut looks like to the code that was running: nothing more of
// it runs.
struct PowerCut : std::runtime_error {
    PowerCut() : std::runtime_error("power cut") {}
};

class FakeFileSystem final : public FileSystemPort {
public:
    struct Node {
        PathKind kind = PathKind::File;
        std::string bytes;
        bool operator==(const Node&) const = default;
    };

    std::map<std::string, Node> nodes;
    // Writes into these folders fail so (a read-only folder: AccessDenied).
    std::map<std::string, FileFault> failingFolders;
    // A copy writes this many bytes, then the disk is full.
    std::size_t bytesBeforeDiskFull = SIZE_MAX;
    // A copy writes this many bytes, then the power goes.
    std::size_t bytesBeforePowerCut = SIZE_MAX;
    // Runs before each rename, as another process might.
    std::function<void(const std::string& to)> beforeRename;
    std::vector<std::string> journal;

    void folder(const std::string& path) { nodes[path] = Node{PathKind::Folder, {}}; }
    void file(const std::string& path, std::string bytes) {
        nodes[path] = Node{PathKind::File, std::move(bytes)};
    }
    [[nodiscard]] bool has(const std::string& path) const { return nodes.count(path) != 0; }
    [[nodiscard]] std::string bytesOf(const std::string& path) const {
        const auto found = nodes.find(path);
        return found == nodes.end() ? "<none>" : found->second.bytes;
    }
    // Paths whose last part starts with a dot: what a copy leaves behind.
    [[nodiscard]] std::vector<std::string> hiddenFiles() const {
        std::vector<std::string> hidden;
        for (const auto& [path, node] : nodes) {
            if (path.substr(path.rfind('/') + 1).starts_with('.')) {
                hidden.push_back(path);
            }
        }
        return hidden;
    }

    [[nodiscard]] char separator() const noexcept override { return '/'; }

    [[nodiscard]] PathKind kindOf(const std::string& path) override {
        const auto found = nodes.find(path);
        return found == nodes.end() ? PathKind::Missing : found->second.kind;
    }

    [[nodiscard]] FileOutcome makeFolder(const std::string& path) override {
        if (const FileOutcome refused = refusedWriteIn(path); !refused.ok()) {
            return refused;
        }
        folder(path);
        journal.push_back("mkdir " + path);
        return {};
    }

    [[nodiscard]] FileOutcome copyToNewFile(const std::string& source,
                                            const std::string& destination) override {
        const auto from = nodes.find(source);
        if (from == nodes.end() || from->second.kind != PathKind::File) {
            return {FileFault::NotFound, {}};
        }
        if (const FileOutcome refused = refusedWriteIn(destination); !refused.ok()) {
            return refused;
        }
        const std::string bytes = from->second.bytes;
        journal.push_back("copy " + destination);
        if (bytes.size() > bytesBeforePowerCut) {
            file(destination, bytes.substr(0, bytesBeforePowerCut));
            throw PowerCut();
        }
        if (bytes.size() > bytesBeforeDiskFull) {
            file(destination, bytes.substr(0, bytesBeforeDiskFull));
            return {FileFault::NoSpace, {}};
        }
        file(destination, bytes);
        return {};
    }

    [[nodiscard]] FileOutcome readFile(const std::string& path, std::size_t limit,
                                       std::string& bytes) override {
        const auto found = nodes.find(path);
        if (found == nodes.end() || found->second.kind != PathKind::File) {
            return {FileFault::NotFound, {}};
        }
        if (found->second.bytes.size() > limit) {
            return {FileFault::TooLarge, {}};
        }
        bytes = found->second.bytes;
        return {};
    }

    [[nodiscard]] FileOutcome renameFile(const std::string& from, const std::string& to,
                                         bool replace) override {
        if (beforeRename) {
            beforeRename(to);
        }
        if (!has(from)) {
            return {FileFault::NotFound, {}};
        }
        if (!replace && has(to)) {
            return {FileFault::AlreadyExists, {}};
        }
        if (const FileOutcome refused = failureIn(to); !refused.ok()) {
            return refused;
        }
        nodes[to] = nodes[from];
        nodes.erase(from);
        journal.push_back(std::string(replace ? "replace " : "rename ") + to);
        return {};
    }

    FileOutcome removeFile(const std::string& path) override {
        const auto found = nodes.find(path);
        if (found == nodes.end()) {
            return {FileFault::NotFound, {}};
        }
        if (found->second.kind == PathKind::Folder) {
            return {FileFault::NotAFile, {}};
        }
        nodes.erase(found);
        journal.push_back("remove " + path);
        return {};
    }

    [[nodiscard]] std::unique_ptr<FolderLock> lockFolder(const std::string& path) override {
        journal.push_back("lock " + path);
        return std::make_unique<Lock>(journal, path);
    }

private:
    class Lock final : public FolderLock {
    public:
        Lock(std::vector<std::string>& journal, std::string path)
            : journal_(journal), path_(std::move(path)) {}
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;
        ~Lock() override { journal_.push_back("unlock " + path_); }

    private:
        std::vector<std::string>& journal_;
        std::string path_;
    };

    [[nodiscard]] FileOutcome failureIn(const std::string& path) const {
        const auto folder = failingFolders.find(path.substr(0, path.rfind('/')));
        return folder == failingFolders.end() ? FileOutcome{} : FileOutcome{folder->second, {}};
    }

    // A new name in path's folder: the folder must be there, and writable.
    [[nodiscard]] FileOutcome refusedWriteIn(const std::string& path) const {
        if (has(path)) {
            return {FileFault::AlreadyExists, {}};
        }
        const auto parent = nodes.find(path.substr(0, path.rfind('/')));
        if (parent == nodes.end() || parent->second.kind != PathKind::Folder) {
            return {FileFault::NotFound, {}};
        }
        return failureIn(path);
    }
};

} // namespace tallywick::testing
