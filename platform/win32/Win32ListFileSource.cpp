// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32ListFileSource.h"

#include "base/RunTimeError.h"
#include "base/TextDecoding.h"
#include "base/Utf8Validator.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>
#include <windows.h>

namespace tallywick {

namespace {

class Win32ListFile final : public ListFile {
public:
    Win32ListFile(HANDLE file, std::string name) : file_(file), name_(std::move(name)) {}
    Win32ListFile(const Win32ListFile&) = delete;
    Win32ListFile& operator=(const Win32ListFile&) = delete;
    ~Win32ListFile() override { ::CloseHandle(file_); }

    std::size_t read(char* buffer, std::size_t size) override {
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file_, buffer, wanted, &got, nullptr)) {
            throw fileError(ErrorNumber::DeviceIo, name_);
        }
        return got;
    }

    // Windows' own Notepad saves UTF-8, with or without a byte-order mark;
    // older editors and programs write the ANSI code page. A file with the
    // mark, or whose bytes are all well-formed UTF-8 and not all ASCII, is
    // UTF-8; any other file is in the ANSI code page. The file is read
    // through once to decide, as a whole, then again from its start.
    void chooseEncoding() {
        std::vector<char> buffer(std::size_t{64} * 1024);
        Utf8Validator text;
        bool first = true;
        std::size_t got = 0;
        while ((got = read(buffer.data(), buffer.size())) > 0) {
            const std::string_view piece(buffer.data(), got);
            if (std::exchange(first, false) && piece.starts_with(kUtf8ByteOrderMark)) {
                utf8_ = true;
                break;
            }
            if (!text.feed(piece)) {
                break;
            }
        }
        utf8_ = utf8_ || (text.valid() && text.sawNonAscii());
        if (!::SetFilePointerEx(file_, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
            throw fileError(ErrorNumber::DeviceIo, name_);
        }
    }

    [[nodiscard]] std::string decode(std::string_view bytes) const override {
        return utf8_ ? decodeListText(bytes) : toUtf8(fromAnsi(bytes));
    }

private:
    HANDLE file_;
    std::string name_;
    bool utf8_ = false;
};

[[noreturn]] void throwPathFileAccess(const std::string& name) {
    throw fileError(ErrorNumber::PathFileAccess, name);
}

[[noreturn]] void throwOpenError(DWORD error, const std::string& name) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        throw fileError(ErrorNumber::FileNotFound, name);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        throw fileError(ErrorNumber::PermissionDenied, name);
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        throw RunTimeError(ErrorNumber::OutOfMemory);
    default:
        throwPathFileAccess(name);
    }
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::unique_ptr<ListFile> Win32ListFileSource::open(const std::string& name) {
    const std::wstring path = toWide(name);
    // A folder cannot be opened as a file at all: it would read as access
    // denied, but it is a path/file access error.
    if (isFolder(path)) {
        throwPathFileAccess(name);
    }
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (isFolder(path)) {
            throwPathFileAccess(name);
        }
        throwOpenError(error, name);
    }
    // A pipe or a device of that name is refused before anything is read.
    if (::GetFileType(file) != FILE_TYPE_DISK) {
        ::CloseHandle(file);
        throwPathFileAccess(name);
    }
    std::unique_ptr<Win32ListFile> listFile;
    try {
        listFile = std::make_unique<Win32ListFile>(file, name);
    } catch (...) {
        ::CloseHandle(file);
        throw;
    }
    listFile->chooseEncoding();
    return listFile;
}

} // namespace tallywick
