// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32FileSystem.h"

#include "base/ProductFacts.h"
#include "platform/win32/SystemErrorText.h"
#include "platform/win32/WideText.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>
#include <windows.h>

namespace tallywick {

namespace {

FileOutcome faultOf(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS:
        return {};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return {FileFault::NotFound, {}};
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return {FileFault::AccessDenied, {}};
    case ERROR_WRITE_PROTECT:
        return {FileFault::ReadOnly, {}};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return {FileFault::NoSpace, {}};
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return {FileFault::AlreadyExists, {}};
    default:
        return {FileFault::Other, systemErrorText(error)};
    }
}

FileOutcome lastFault() {
    return faultOf(::GetLastError());
}

// A handle closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { reset(INVALID_HANDLE_VALUE); }
    void reset(HANDLE handle) {
        if (valid()) {
            ::CloseHandle(handle_);
        }
        handle_ = handle;
    }
    [[nodiscard]] HANDLE get() const noexcept { return handle_; }
    [[nodiscard]] bool valid() const noexcept { return handle_ != INVALID_HANDLE_VALUE; }
    // Closes it now, with the system's verdict.
    [[nodiscard]] bool close() {
        const bool closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Opens what path leads to, links followed, for its attributes only: a
// folder too (backup semantics), and nothing is read from it.
HANDLE openForAttributes(const std::wstring& path) {
    return ::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                         FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Opens a regular file for reading, letting others read and write it as
// they please meanwhile; a folder or a device of that name is refused.
FileOutcome openRegularFile(const std::wstring& path, FileHandle& file) {
    file.reset(::CreateFileW(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                             FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        return lastFault();
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.get(), &information)) {
        return lastFault();
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
        ::GetFileType(file.get()) != FILE_TYPE_DISK) {
        return {FileFault::NotAFile, {}};
    }
    return {};
}

// Reads what there is to read, at most size bytes; nothing on a failure.
std::optional<DWORD> readSome(HANDLE file, char* buffer, std::size_t size) {
    DWORD got = 0;
    if (!::ReadFile(file, buffer, static_cast<DWORD>(size), &got, nullptr)) {
        return std::nullopt;
    }
    return got;
}

bool writeAll(HANDLE file, const char* data, DWORD size) {
    while (size > 0) {
        DWORD written = 0;
        if (!::WriteFile(file, data, size, &written, nullptr) || written == 0) {
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Reads the open file to its end in pieces, handing each to take, which
// answers a fault that stops the reading, or an ok outcome to go on.
template <typename Take> FileOutcome readPieces(HANDLE file, Take take) {
    std::vector<char> buffer(std::size_t{64} * 1024);
    for (;;) {
        const std::optional<DWORD> got = readSome(file, buffer.data(), buffer.size());
        if (!got) {
            return lastFault();
        }
        if (*got == 0) {
            return {};
        }
        FileOutcome taken = take(std::string_view(buffer.data(), *got));
        if (!taken.ok()) {
            return taken;
        }
    }
}

// The name of the mutex that locks a folder: the same for every path that
// leads to it, as far as the system can tell (links resolved, case ignored).
std::wstring lockName(HANDLE folder, const std::wstring& path) {
    std::wstring resolved = path;
    const DWORD needed = ::GetFinalPathNameByHandleW(folder, nullptr, 0, FILE_NAME_NORMALIZED);
    if (needed > 0) {
        std::vector<wchar_t> buffer(needed + 1);
        const DWORD length = ::GetFinalPathNameByHandleW(
            folder, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED);
        if (length > 0 && length < buffer.size()) {
            resolved.assign(buffer.data(), length);
        }
    }
    ::CharUpperBuffW(resolved.data(), static_cast<DWORD>(resolved.size()));
    // A mutex name holds no backslash: the folder is known by a digest.
    std::uint64_t hash = 14695981039346656037u; // FNV-1a
    for (const wchar_t unit : resolved) {
        hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211u;
    }
    std::array<wchar_t, 17> digits{};
    std::swprintf(digits.data(), digits.size(), L"%016llx", static_cast<unsigned long long>(hash));
    return L"Local\\" + toWide(kProductName) + L" lists folder " + digits.data();
}

class MutexLock final : public FolderLock {
public:
    explicit MutexLock(HANDLE mutex) : mutex_(mutex) {}
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    ~MutexLock() override {
        ::ReleaseMutex(mutex_);
        ::CloseHandle(mutex_);
    }

private:
    HANDLE mutex_;
};

} // namespace

PathKind Win32FileSystem::kindOf(const std::string& path) {
    const std::wstring name = toWide(path);
    const FileHandle file(openForAttributes(name));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        // The name itself, not what it leads to.
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        const bool isLink = attributes != INVALID_FILE_ATTRIBUTES &&
                            (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return isLink ? PathKind::BrokenLink : PathKind::Missing;
        case ERROR_CANT_RESOLVE_FILENAME: // a link that leads round in a loop
        case ERROR_INVALID_REPARSE_DATA:
            return PathKind::BrokenLink;
        case ERROR_SHARING_VIOLATION:
            // In use by the system in a way that excludes even a look.
            if (attributes != INVALID_FILE_ATTRIBUTES) {
                return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder
                                                                    : PathKind::File;
            }
            return PathKind::Unreachable;
        default:
            return isLink ? PathKind::BrokenLink : PathKind::Unreachable;
        }
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.get(), &information)) {
        return PathKind::Unreachable;
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::Folder;
    }
    return ::GetFileType(file.get()) == FILE_TYPE_DISK ? PathKind::File : PathKind::Other;
}

FileOutcome Win32FileSystem::makeFolder(const std::string& path) {
    // It takes the permissions its parent passes on, as any new folder there.
    return ::CreateDirectoryW(toWide(path).c_str(), nullptr) ? FileOutcome{} : lastFault();
}

FileOutcome Win32FileSystem::copyToNewFile(const std::string& source,
                                           const std::string& destination) {
    FileHandle in(INVALID_HANDLE_VALUE);
    if (FileOutcome opened = openRegularFile(toWide(source), in); !opened.ok()) {
        return opened;
    }
    // CREATE_NEW fails on a name that is there, whatever it is; a link of
    // that name is the link's, never what it leads to.
    FileHandle out(::CreateFileW(toWide(destination).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!out.valid()) {
        return lastFault();
    }
    FileOutcome copied = readPieces(in.get(), [&out](std::string_view piece) {
        return writeAll(out.get(), piece.data(), static_cast<DWORD>(piece.size())) ? FileOutcome{}
                                                                                   : lastFault();
    });
    if (!copied.ok()) {
        return copied;
    }
    // On the disk before the copy gets its own name: a power cut never
    // leaves a named file with part of its bytes.
    if (!::FlushFileBuffers(out.get()) || !out.close()) {
        return lastFault();
    }
    return {};
}

FileOutcome Win32FileSystem::readFile(const std::string& path, std::size_t limit,
                                      std::string& bytes) {
    FileHandle in(INVALID_HANDLE_VALUE);
    if (FileOutcome opened = openRegularFile(toWide(path), in); !opened.ok()) {
        return opened;
    }
    bytes.clear();
    return readPieces(in.get(), [&bytes, limit](std::string_view piece) {
        if (piece.size() > limit - bytes.size()) {
            return FileOutcome{FileFault::TooLarge, {}};
        }
        bytes.append(piece);
        return FileOutcome{};
    });
}

FileOutcome Win32FileSystem::renameFile(const std::string& from, const std::string& to,
                                        bool replace) {
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (replace) {
        flags |= MOVEFILE_REPLACE_EXISTING;
    }
    return ::MoveFileExW(toWide(from).c_str(), toWide(to).c_str(), flags) ? FileOutcome{}
                                                                          : lastFault();
}

FileOutcome Win32FileSystem::removeFile(const std::string& path) {
    // DeleteFileW removes a link itself, and refuses a folder.
    return ::DeleteFileW(toWide(path).c_str()) ? FileOutcome{} : lastFault();
}

std::unique_ptr<FolderLock> Win32FileSystem::lockFolder(const std::string& path) {
    const std::wstring name = toWide(path);
    const FileHandle folder(openForAttributes(name));
    if (!folder.valid()) {
        return nullptr;
    }
    const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, lockName(folder.get(), name).c_str());
    if (mutex == nullptr) {
        return nullptr;
    }
    // Abandoned: a launcher that held it ended without letting go; the lock
    // is ours all the same.
    const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        ::CloseHandle(mutex);
        return nullptr;
    }
    return std::make_unique<MutexLock>(mutex);
}

} // namespace tallywick
