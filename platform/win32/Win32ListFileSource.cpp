// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/win32/Win32ListFileSource.h"

#include "base/RunTimeError.h"
#include "platform/win32/WideText.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <windows.h>

namespace tallywick {

namespace {

constexpr unsigned kWindows1252 = 1252;

class Win32ListFile final : public ListFile {
public:
    Win32ListFile(HANDLE file, std::string name, std::uint64_t claimedSize)
        : file_(file), name_(std::move(name)), claimedSize_(claimedSize) {}
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
    [[nodiscard]] std::uint64_t claimedSize() const override { return claimedSize_; }

private:
    HANDLE file_;
    std::string name_;
    std::uint64_t claimedSize_;
};

// Closes a handle when it goes out of scope.
class HandleCloser {
public:
    explicit HandleCloser(HANDLE handle) : handle_(handle) {}
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;
    ~HandleCloser() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    [[nodiscard]] HANDLE get() const noexcept { return handle_; }
    HANDLE release() noexcept { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

private:
    HANDLE handle_;
};

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
        throw fileError(ErrorNumber::PathFileAccess, name);
    }
}

// Whether a handle is open on a disk file that is no folder.
bool isDiskFile(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION information{};
    return ::GetFileType(file) == FILE_TYPE_DISK &&
           ::GetFileInformationByHandle(file, &information) &&
           (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Opens the name for ACCESS; a folder opens too, so that it can be told
// from a file.
HANDLE openFor(const std::wstring& path, DWORD access) {
    return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_SEQUENTIAL_SCAN,
                         nullptr);
}

} // namespace

unsigned legacyCodePageFor(unsigned ansiCodePage) noexcept {
    return ansiCodePage == CP_UTF8 ? kWindows1252 : ansiCodePage;
}

std::unique_ptr<ListFile> Win32ListFileSource::open(const std::string& name) {
    // First opened for no access at all, which reads nothing and starts no
    // device: only a disk file that is no folder is then opened for reading,
    // and through this handle, not by its name again, so that it is the file
    // looked at whatever the name leads to by then.
    const HandleCloser look(openFor(toWide(name), 0));
    if (look.get() == INVALID_HANDLE_VALUE) {
        throwOpenError(::GetLastError(), name);
    }
    if (!isDiskFile(look.get())) {
        throwOpenError(ERROR_INVALID_FUNCTION, name);
    }
    HandleCloser file(
        ::ReOpenFile(look.get(), GENERIC_READ, FILE_SHARE_READ, FILE_FLAG_SEQUENTIAL_SCAN));
    if (file.get() == INVALID_HANDLE_VALUE) {
        throwOpenError(::GetLastError(), name);
    }
    LARGE_INTEGER size{};
    const std::uint64_t claimed =
        ::GetFileSizeEx(file.get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
    auto listFile = std::make_unique<Win32ListFile>(file.get(), name, claimed);
    file.release();
    return listFile;
}

void appendCodePageText(unsigned codePage, std::string_view bytes, GrowingArray<char>& out) {
    // The bytes that lead a double-byte character, none in a single-byte
    // code page. The system takes a lead byte with whatever byte follows it.
    std::array<bool, 256> leads{};
    bool doubleByte = false;
    CPINFO information{};
    if (::GetCPInfo(codePage, &information) && information.MaxCharSize > 1) {
        for (std::size_t i = 0; i + 1 < MAX_LEADBYTES && information.LeadByte[i] != 0; i += 2) {
            for (unsigned lead = information.LeadByte[i]; lead <= information.LeadByte[i + 1];
                 ++lead) {
                leads[lead] = doubleByte = true;
            }
        }
    }
    // Converted a piece at a time, so that only one piece is ever held as
    // UTF-16 beside the bytes and their UTF-8. A piece ends after a whole
    // character.
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    while (!bytes.empty()) {
        std::size_t length = std::min(bytes.size(), kPiece);
        if (doubleByte) {
            length = 0;
            while (length < kPiece && length < bytes.size()) {
                length += leads[static_cast<unsigned char>(bytes[length])] ? 2 : 1;
            }
            length = std::min(length, bytes.size());
        }
        const std::string utf8 = toUtf8(fromCodePage(codePage, bytes.substr(0, length)));
        out.append(utf8.data(), utf8.size());
        bytes.remove_prefix(length);
    }
}

void Win32ListFileSource::appendLegacyText(std::string_view bytes, GrowingArray<char>& out) const {
    appendCodePageText(legacyCodePageFor(::GetACP()), bytes, out);
}

} // namespace tallywick
