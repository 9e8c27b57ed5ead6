// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// What the installer tests and the Wine end-to-end test need to see from
// inside Windows (run under Wine):
//   install_probe link FILE.lnk      prints the shortcut's target and working
//                                    folder, read from the file's bytes
//   install_probe texts TITLE        prints the texts of the child windows of
//                                    the visible top-level window whose title
//                                    begins with TITLE
//   install_probe lists TITLE [MOST] prints the entries of that window's list
//                                    boxes, as LB_GETTEXT gives them: listN=
//                                    and the entry, N counting the list boxes
//                                    in their order from 1; the first MOST of
//                                    each list only, when given
//   install_probe names TITLE        prints the accessible name of each of that
//                                    window's child windows, asked for from
//                                    this process as a screen reader asks (MSAA)
//   install_probe close TITLE        closes that window as its close box does,
//                                    waits for its process and prints its exit
//                                    code
//   install_probe ready TITLE        succeeds once that window takes the keys
//                                    typed: it is the foreground window, its
//                                    program waits for input, and so does every
//                                    Explorer of the session (the desktop's,
//                                    which may still be starting and take the
//                                    foreground)
//   install_probe version FILE.exe   prints the version record's product name,
//                                    company, product version and the fixed
//                                    file version
//   install_probe icon FILE.exe      prints each image of the file's first icon
//                                    (size, colours, a hash of its bytes)
// Output is UTF-8, one "name=value" line per fact. Exit code 0 on success,
// 1 on anything that could not be read or found.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <io.h>
#include <iterator>
#include <limits>
#include <oleacc.h>
#include <optional>
#include <string>
#include <tlhelp32.h>
#include <utility>
#include <vector>
#include <windows.h>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
    return out;
}

// The Shell Link binary format ([MS-SHLLINK]): a 76-byte header, then the
// parts its link flags announce, in this order: the target's item id list,
// the link information (which holds the target's local path), then the
// counted strings (name, relative path, working folder, arguments, icon).
class ShellLinkReader {
public:
    explicit ShellLinkReader(std::vector<unsigned char> bytes) : bytes_(std::move(bytes)) {}

    bool read() {
        constexpr unsigned char kLinkClsid[16] = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                  0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
        if (bytes_.size() < kHeaderSize || u32(0) != kHeaderSize ||
            !std::equal(std::begin(kLinkClsid), std::end(kLinkClsid), bytes_.begin() + 4)) {
            return false;
        }
        const std::uint32_t flags = u32(20);
        std::size_t at = kHeaderSize;
        if ((flags & kHasTargetIdList) != 0) {
            at += 2 + u16(at);
        }
        if ((flags & kHasLinkInfo) != 0) {
            if (!readLinkInfo(at)) {
                return false;
            }
            at += u32(at);
        }
        const bool unicode = (flags & kIsUnicode) != 0;
        for (const std::uint32_t part :
             {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments, kHasIconLocation}) {
            if ((flags & part) == 0) {
                continue;
            }
            std::optional<std::wstring> text = countedString(at, unicode);
            if (!text) {
                return false;
            }
            if (part == kHasWorkingDir) {
                workingDir_ = *text;
            } else if (part == kHasArguments) {
                arguments_ = *text;
            }
        }
        return true;
    }

    [[nodiscard]] const std::wstring& target() const { return target_; }
    [[nodiscard]] const std::wstring& workingDir() const { return workingDir_; }
    [[nodiscard]] const std::wstring& arguments() const { return arguments_; }

private:
    static constexpr std::uint32_t kHeaderSize = 0x4C;
    static constexpr std::uint32_t kHasTargetIdList = 0x01;
    static constexpr std::uint32_t kHasLinkInfo = 0x02;
    static constexpr std::uint32_t kHasName = 0x04;
    static constexpr std::uint32_t kHasRelativePath = 0x08;
    static constexpr std::uint32_t kHasWorkingDir = 0x10;
    static constexpr std::uint32_t kHasArguments = 0x20;
    static constexpr std::uint32_t kHasIconLocation = 0x40;
    static constexpr std::uint32_t kIsUnicode = 0x80;
    static constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;

    bool readLinkInfo(std::size_t at) {
        if (at + 28 > bytes_.size() || at + u32(at) > bytes_.size()) {
            return false;
        }
        const std::uint32_t headerSize = u32(at + 4);
        if ((u32(at + 8) & kVolumeIdAndLocalBasePath) == 0) {
            return false; // a network target: not what the installer makes
        }
        if (headerSize >= 0x24) {
            target_ = wideString(at + u32(at + 28)) + wideString(at + u32(at + 32));
        } else {
            target_ = ansiString(at + u32(at + 16)) + ansiString(at + u32(at + 24));
        }
        return true;
    }

    // A string of the string data: a character count, then the characters
    // with no terminator (some writers count one in: it is dropped).
    std::optional<std::wstring> countedString(std::size_t& at, bool unicode) {
        if (at + 2 > bytes_.size()) {
            return std::nullopt;
        }
        const std::size_t count = u16(at);
        const std::size_t size = count * (unicode ? 2 : 1);
        at += 2;
        if (at + size > bytes_.size()) {
            return std::nullopt;
        }
        std::wstring text;
        for (std::size_t i = 0; i < count; ++i) {
            text += unicode ? static_cast<wchar_t>(u16(at + 2 * i))
                            : static_cast<wchar_t>(bytes_[at + i]);
        }
        at += size;
        while (!text.empty() && text.back() == L'\0') {
            text.pop_back();
        }
        return text;
    }

    std::wstring wideString(std::size_t at) const {
        std::wstring text;
        for (; at + 1 < bytes_.size() && u16(at) != 0; at += 2) {
            text += static_cast<wchar_t>(u16(at));
        }
        return text;
    }

    std::wstring ansiString(std::size_t at) const {
        std::string text;
        for (; at < bytes_.size() && bytes_[at] != 0; ++at) {
            text += static_cast<char>(bytes_[at]);
        }
        const int size = ::MultiByteToWideChar(CP_ACP, 0, text.data(),
                                               static_cast<int>(text.size()), nullptr, 0);
        std::wstring out(static_cast<std::size_t>(size), L'\0');
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                              size);
        return out;
    }

    [[nodiscard]] std::uint32_t u16(std::size_t at) const {
        return at + 2 <= bytes_.size() ? bytes_[at] | (bytes_[at + 1] << 8) : 0;
    }
    [[nodiscard]] std::uint32_t u32(std::size_t at) const {
        return at + 4 <= bytes_.size() ? u16(at) | (u16(at + 2) << 16) : 0;
    }

    std::vector<unsigned char> bytes_;
    std::wstring target_;
    std::wstring workingDir_;
    std::wstring arguments_;
};

int printLink(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", utf8(path).c_str());
        return 1;
    }
    ShellLinkReader link{std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                                    std::istreambuf_iterator<char>())};
    if (!link.read()) {
        std::fprintf(stderr, "%s is not a shell link to a local file\n", utf8(path).c_str());
        return 1;
    }
    std::printf("target=%s\nworkdir=%s\narguments=%s\n", utf8(link.target()).c_str(),
                utf8(link.workingDir()).c_str(), utf8(link.arguments()).c_str());
    return 0;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND findWindow(const std::wstring& titleStart) {
    struct Search {
        std::wstring titleStart;
        HWND found = nullptr;
    } search{titleStart};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (::IsWindowVisible(window) && windowText(window).starts_with(s.titleStart)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int printTexts(const std::wstring& titleStart) {
    const HWND window = findWindow(titleStart);
    if (window == nullptr) {
        std::fprintf(stderr, "no visible window titled %s...\n", utf8(titleStart).c_str());
        return 1;
    }
    std::printf("title=%s\n", utf8(windowText(window)).c_str());
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
            std::printf("text=%s\n", utf8(windowText(child)).c_str());
            return TRUE;
        },
        0);
    return 0;
}

int printListEntries(const std::wstring& titleStart, LRESULT most) {
    const HWND window = findWindow(titleStart);
    if (window == nullptr) {
        std::fprintf(stderr, "no visible window titled %s...\n", utf8(titleStart).c_str());
        return 1;
    }
    struct Lists {
        int seen;
        LRESULT most;
    } lists{0, most};
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            wchar_t name[32] = {};
            ::GetClassNameW(child, name, 32);
            if (std::wcscmp(name, L"ListBox") != 0) {
                return TRUE;
            }
            auto& lists = *reinterpret_cast<Lists*>(data);
            const int list = ++lists.seen;
            const LRESULT count = std::min(::SendMessageW(child, LB_GETCOUNT, 0, 0), lists.most);
            for (LRESULT i = 0; i < count; ++i) {
                std::wstring entry(
                    static_cast<std::size_t>(::SendMessageW(child, LB_GETTEXTLEN, i, 0)) + 1,
                    L'\0');
                entry.resize(static_cast<std::size_t>(
                    ::SendMessageW(child, LB_GETTEXT, i, reinterpret_cast<LPARAM>(entry.data()))));
                std::printf("list%d=%s\n", list, utf8(entry).c_str());
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&lists));
    return 0;
}

int printAccessibleNames(const std::wstring& titleStart) {
    const HWND window = findWindow(titleStart);
    if (window == nullptr) {
        std::fprintf(stderr, "no visible window titled %s...\n", utf8(titleStart).c_str());
        return 1;
    }
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
            IAccessible* accessible = nullptr;
            if (FAILED(::AccessibleObjectFromWindow(child, static_cast<DWORD>(OBJID_CLIENT),
                                                    __uuidof(IAccessible),
                                                    reinterpret_cast<void**>(&accessible)))) {
                return TRUE;
            }
            VARIANT self;
            ::VariantInit(&self);
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            BSTR name = nullptr;
            if (accessible->get_accName(self, &name) == S_OK && name != nullptr) {
                std::printf("name=%s\n", utf8(std::wstring(name, ::SysStringLen(name))).c_str());
            }
            ::SysFreeString(name);
            accessible->Release();
            return TRUE;
        },
        0);
    ::CoUninitialize();
    return 0;
}

int closeWindow(const std::wstring& titleStart) {
    const HWND window = findWindow(titleStart);
    DWORD processId = 0;
    if (window == nullptr || ::GetWindowThreadProcessId(window, &processId) == 0) {
        std::fprintf(stderr, "no visible window titled %s...\n", utf8(titleStart).c_str());
        return 1;
    }
    const HANDLE process =
        ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        std::fprintf(stderr, "cannot open process %lu\n", processId);
        return 1;
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    // A program that has not ended after this long hangs: a busy machine
    // takes seconds.
    constexpr DWORD kHangs = 120000;
    const DWORD start = ::GetTickCount();
    DWORD code = 0;
    const bool ended = ::WaitForSingleObject(process, kHangs) == WAIT_OBJECT_0 &&
                       ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    if (!ended) {
        std::fprintf(stderr, "process %lu has not ended %lu ms after its window was closed\n",
                     processId, ::GetTickCount() - start);
        return 1;
    }
    std::printf("exitcode=%lu\n", code);
    return 0;
}

// Whether the process waits for input now, with none pending.
bool waitsForInput(DWORD processId) {
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    const bool idle = ::WaitForInputIdle(process, 0) == 0;
    ::CloseHandle(process);
    return idle;
}

int checkReady(const std::wstring& titleStart) {
    const HWND window = findWindow(titleStart);
    DWORD processId = 0;
    if (window == nullptr || ::GetWindowThreadProcessId(window, &processId) == 0) {
        std::fprintf(stderr, "no visible window titled %s...\n", utf8(titleStart).c_str());
        return 1;
    }
    if (::GetForegroundWindow() != window) {
        std::fprintf(stderr, "%s is not the foreground window\n", utf8(titleStart).c_str());
        return 1;
    }
    if (!waitsForInput(processId)) {
        std::fprintf(stderr, "its program is busy\n");
        return 1;
    }
    const HANDLE processes = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool settled = true;
    for (BOOL more = ::Process32FirstW(processes, &entry); more && settled;
         more = ::Process32NextW(processes, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"explorer.exe") == 0) {
            settled = waitsForInput(entry.th32ProcessID);
        }
    }
    ::CloseHandle(processes);
    if (!settled) {
        std::fprintf(stderr, "the desktop is still starting\n");
        return 1;
    }
    return 0;
}

std::wstring versionString(std::vector<BYTE>& record, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof *translation) {
        return {};
    }
    wchar_t path[64];
    std::swprintf(path, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                  translation->codePage, name);
    void* value = nullptr;
    if (!::VerQueryValueW(record.data(), path, &value, &length) || length == 0) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

int printVersion(const std::wstring& path) {
    DWORD ignored = 0;
    std::vector<BYTE> record(::GetFileVersionInfoSizeW(path.c_str(), &ignored));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (record.empty() ||
        !::GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(record.size()), record.data()) ||
        !::VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length)) {
        std::fprintf(stderr, "%s has no version record\n", utf8(path).c_str());
        return 1;
    }
    std::printf("product=%s\ncompany=%s\nproductversion=%s\nfileversion=%u.%u.%u.%u\n",
                utf8(versionString(record, L"ProductName")).c_str(),
                utf8(versionString(record, L"CompanyName")).c_str(),
                utf8(versionString(record, L"ProductVersion")).c_str(),
                HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    return 0;
}

// The entries of an icon group resource (GRPICONDIR), packed as in the file.
#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

int printIcon(const std::wstring& path) {
    const HMODULE file = ::LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
    if (file == nullptr) {
        std::fprintf(stderr, "cannot open %s\n", utf8(path).c_str());
        return 1;
    }
    LPWSTR first = nullptr;
    ::EnumResourceNamesW(
        file, RT_GROUP_ICON,
        [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found) -> BOOL {
            *reinterpret_cast<LPWSTR*>(found) = name; // the first, as Explorer shows
            return FALSE;
        },
        reinterpret_cast<LONG_PTR>(&first));
    const HRSRC group = first != nullptr ? ::FindResourceW(file, first, RT_GROUP_ICON) : nullptr;
    const auto* header = group != nullptr
                             ? static_cast<const WORD*>(::LockResource(::LoadResource(file, group)))
                             : nullptr;
    if (header == nullptr) {
        std::fprintf(stderr, "%s has no icon\n", utf8(path).c_str());
        ::FreeLibrary(file);
        return 1;
    }
    const auto* entries = reinterpret_cast<const IconGroupEntry*>(header + 3);
    for (WORD i = 0; i < header[2]; ++i) {
        const HRSRC image = ::FindResourceW(file, MAKEINTRESOURCEW(entries[i].id), RT_ICON);
        const auto* bytes =
            image != nullptr ? static_cast<const BYTE*>(::LockResource(::LoadResource(file, image)))
                             : nullptr;
        const DWORD size = image != nullptr ? ::SizeofResource(file, image) : 0;
        std::uint32_t hash = 2166136261u; // FNV-1a
        for (DWORD at = 0; bytes != nullptr && at < size; ++at) {
            hash = (hash ^ bytes[at]) * 16777619u;
        }
        std::printf("image=%ux%u %u bits, %lu bytes, %08x\n", entries[i].width, entries[i].height,
                    entries[i].bitCount, size, hash);
    }
    ::FreeLibrary(file);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    // Plain line ends for the shell that reads the output.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc == 3) {
        const std::wstring command = argv[1];
        const std::wstring argument = argv[2];
        if (command == L"link") {
            return printLink(argument);
        }
        if (command == L"texts") {
            return printTexts(argument);
        }
        if (command == L"lists") {
            return printListEntries(argument, std::numeric_limits<LRESULT>::max());
        }
        if (command == L"names") {
            return printAccessibleNames(argument);
        }
        if (command == L"close") {
            return closeWindow(argument);
        }
        if (command == L"ready") {
            return checkReady(argument);
        }
        if (command == L"version") {
            return printVersion(argument);
        }
        if (command == L"icon") {
            return printIcon(argument);
        }
    }
    if (argc == 4 && std::wstring(argv[1]) == L"lists") {
        return printListEntries(argv[2], std::wcstol(argv[3], nullptr, 10));
    }
    std::fprintf(stderr,
                 "usage: install_probe link FILE.lnk | texts TITLE | lists TITLE [MOST] | "
                 "names TITLE | close TITLE | ready TITLE | version FILE.exe | icon FILE.exe\n");
    return 2;
}
