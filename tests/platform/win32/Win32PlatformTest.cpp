// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// The Windows platform services against the real system (Wine here).
#include "FakeListFiles.h"
#include "base/RunTimeError.h"
#include "catalogue/ListFileLoader.h"
#include "listfolder/ListFolder.h"
#include "platform/win32/MutexInstanceGuard.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Desktop.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ListFileSource.h"
#include "platform/win32/Win32MemoryProbe.h"
#include "platform/win32/Win32MessageBoxes.h"
#include "platform/win32/Win32NumberFormat.h"
#include "platform/win32/Win32ShellService.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// shellapi.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <winioctl.h>
// clang-format on

namespace tallywick {
namespace {

// A fresh folder, made the working folder for the test and removed after it.
class WorkingFolder {
public:
    WorkingFolder() {
        std::array<wchar_t, MAX_PATH> temp{};
        ::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
        path_ =
            std::wstring(temp.data()) + L"tallywick-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(path_.c_str(), nullptr);
        std::array<wchar_t, MAX_PATH> current{};
        ::GetCurrentDirectoryW(static_cast<DWORD>(current.size()), current.data());
        previous_ = current.data();
        ::SetCurrentDirectoryW(path_.c_str());
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    ~WorkingFolder() {
        ::SetCurrentDirectoryW(previous_.c_str());
        std::wstring list(path_);
        list.append(2, L'\0'); // a double-null-terminated list of one
        SHFILEOPSTRUCTW remove{};
        remove.wFunc = FO_DELETE;
        remove.pFrom = list.c_str();
        remove.fFlags = FOF_NO_UI;
        ::SHFileOperationW(&remove);
    }

    std::wstring write(const std::wstring& name, const std::string& bytes) const {
        const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(file);
        return path_ + L"\\" + name;
    }
    [[nodiscard]] std::string path() const { return toUtf8(path_); }

private:
    std::wstring path_;
    std::wstring previous_;
};

// The error number and description opening the name raises; 0 when it opens.
std::pair<int, std::string> openError(const std::string& name) {
    Win32ListFileSource source;
    try {
        (void)source.open(name);
        return {0, {}};
    } catch (const RunTimeError& error) {
        return {static_cast<int>(error.number()), error.description()};
    }
}

TEST(Win32ListFileSourceTest, readsAFileAndDecodesItsFieldsFromTheAnsiCodePage) {
    if (::GetACP() != 1252) {
        GTEST_SKIP() << "written for the Western European code page";
    }
    WorkingFolder folder;
    folder.write(L"buslist.txt", "Alpha\r\n\"B, C\"\r\nCaf\xe9 \x80, \xc3\xa9\r\n");
    Win32ListFileSource source;
    // Bytes that would be UTF-8 elsewhere are two ANSI characters here.
    EXPECT_EQ(testing::loadEntryTexts(source, "buslist.txt"),
              (std::vector<std::string>{"Alpha", "B, C", "Caf\xc3\xa9 \xe2\x82\xac",
                                        "\xc3\x83\xc2\xa9"}));
}

TEST(Win32ListFileSourceTest, aFileOfUtf8OrWithItsMarkIsReadAsUtf8AndEachFileIsDecidedWhole) {
    if (::GetACP() != 1252) {
        GTEST_SKIP() << "written for the Western European code page";
    }
    WorkingFolder folder;
    Win32ListFileSource source;
    // As Notepad saves them: UTF-8, and UTF-8 with a byte-order mark.
    folder.write(L"buslist.txt", "Cr\u00e9dit Agricole Card\r\n");
    EXPECT_EQ(testing::loadEntryTexts(source, "buslist.txt"),
              (std::vector<std::string>{"Cr\u00e9dit Agricole Card"}));
    folder.write(L"buslistb.txt", "\uFEFFCaf\u00e9 Business Card\r\n");
    EXPECT_EQ(testing::loadEntryTexts(source, "buslistb.txt"),
              (std::vector<std::string>{"Caf\u00e9 Business Card"}));
    // Euro signs in UTF-8 for long enough that any piece the file is read
    // in ends inside one.
    std::string euros;
    for (int i = 0; i < 50000; ++i) {
        euros += "\u20ac";
    }
    folder.write(L"buslistc.txt", "\"" + euros + "\"\r\nLast\r\n");
    EXPECT_EQ(testing::loadEntryTexts(source, "buslistc.txt"),
              (std::vector<std::string>{euros, "Last"}));
    // One byte that is not UTF-8 (an e acute in Windows-1252), far into the
    // file, makes the whole file ANSI, its first entry too.
    folder.write(L"buslist.txt",
                 "Cr\u00e9dit\r\n\"" + std::string(200000, 'x') + "\"\r\nCaf\xE9\r\n");
    const std::vector<std::string> ansi = testing::loadEntryTexts(source, "buslist.txt");
    ASSERT_EQ(ansi.size(), 3u);
    EXPECT_EQ(ansi[0], "Cr\u00c3\u00a9dit");
    EXPECT_EQ(ansi[2], "Caf\u00e9");
}

TEST(Win32ListFileSourceTest, unusableNamesRaiseTheirErrorNumbers) {
    WorkingFolder folder;
    EXPECT_EQ(openError("buslist.txt"),
              std::make_pair(53, std::string("File not found: buslist.txt")));
    EXPECT_EQ(openError("nofolder\\buslist.txt").first, 53);
    ::CreateDirectoryW(L"buslistb.txt", nullptr);
    EXPECT_EQ(openError("buslistb.txt"),
              std::make_pair(75, std::string("Path/File access error: buslistb.txt")));
    // Another program holding the file without sharing it.
    const std::wstring held = folder.write(L"buslistc.txt", "x");
    const HANDLE exclusive = ::CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_EQ(openError("buslistc.txt"),
              std::make_pair(70, std::string("Permission denied: buslistc.txt")));
    ::CloseHandle(exclusive);
    EXPECT_EQ(openError("buslistc.txt").first, 0);
}

// Where Windows' ANSI code page is UTF-8, a file that was UTF-8 is read as
// such anyway: one that is not must be from an older Western system.
TEST(Win32ListFileSourceTest, legacyCodePageIsTheAnsiOneOrWindows1252WhereThatIsUtf8) {
    EXPECT_EQ(legacyCodePageFor(65001), 1252u);
    EXPECT_EQ(legacyCodePageFor(1252), 1252u);
    EXPECT_EQ(legacyCodePageFor(1251), 1251u);
    EXPECT_EQ(legacyCodePageFor(932), 932u);
}

// Legacy text is converted a mebibyte at a time. In a double-byte code page
// no piece may end between a character's two bytes, wherever the mebibyte
// falls: the whole text reads as the system converts it in one go. Second
// bytes below 0x80 and above, and runs with and without single-byte
// characters among them.
TEST(Win32ListFileSourceTest, legacyTextInADoubleByteCodePageIsNeverSplitInsideACharacter) {
    for (const unsigned codePage : {932u, 936u}) {
        for (const bool withCommas : {false, true}) {
            std::string bytes = "x"; // the pairs start at odd offsets
            for (std::size_t i = 0; bytes.size() < (std::size_t{5} << 19); ++i) {
                bytes += i % 3 == 0 ? "\x83\x41" : i % 3 == 1 ? "\x88\x9F" : "\x82\xA0";
                if (withCommas && i % 1000 == 999) {
                    bytes += ',';
                }
            }
            const std::string whole = toUtf8(fromCodePage(codePage, bytes));
            GrowingArray<char> pieces;
            appendCodePageText(codePage, bytes, pieces);
            const std::string read(pieces.data(), pieces.size());
            EXPECT_TRUE(read == whole)
                << "code page " << codePage << ", commas " << withCommas << ": differs from byte "
                << std::mismatch(read.begin(), read.end(), whole.begin(), whole.end()).first -
                       read.begin();
        }
    }
}

TEST(Win32ListFileSourceTest, fileLargerThan64MBIsRefusedWhateverItClaims) {
    WorkingFolder folder;
    const std::wstring path = folder.write(L"buslist.txt", "");
    // 100 GB that take no room on the disk, and read as zeros.
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD returned = 0;
    ::DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size{};
    size.QuadPart = std::int64_t{100} << 30;
    const bool grown = ::SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && ::SetEndOfFile(file);
    ::CloseHandle(file);
    ASSERT_TRUE(grown);
    Win32ListFileSource source;
    try {
        (void)loadListEntries(source, "buslist.txt");
        FAIL() << "100 GB were read as a list";
    } catch (const RunTimeError& error) {
        EXPECT_EQ(error.description(), "Out of memory: buslist.txt is larger than 64 MB");
    }
}

TEST(Win32ListFileSourceTest, aFileBeingReadCanStillBeReadByOthers) {
    WorkingFolder folder;
    const std::wstring path = folder.write(L"buslist.txt", "Alpha");
    Win32ListFileSource source;
    const auto open = source.open("buslist.txt");
    const HANDLE other = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(other, INVALID_HANDLE_VALUE);
    ::CloseHandle(other);
}

TEST(MutexInstanceGuardTest, secondClaimInTheSessionFailsUntilTheFirstEnds) {
    const std::wstring name = L"Local\\TALLYWICK.Test." + std::to_wstring(::GetCurrentProcessId());
    {
        MutexInstanceGuard first(name);
        ASSERT_TRUE(first.claim());
        EXPECT_TRUE(first.claim()); // the holder keeps its claim
        MutexInstanceGuard second(name);
        EXPECT_FALSE(second.claim());
    }
    MutexInstanceGuard third(name);
    EXPECT_TRUE(third.claim());
}

// The region's thousands separator as UTF-8.
std::string thousandsSeparator(const wchar_t* locale) {
    std::array<wchar_t, 8> separator{};
    ::GetLocaleInfoEx(locale, LOCALE_STHOUSAND, separator.data(),
                      static_cast<int>(separator.size()));
    return toUtf8(separator.data());
}

TEST(Win32NumberFormatTest, givesTheRegionsSeparatorInAsciiDigits) {
    const NumberSymbols english = Win32NumberFormat(L"en-US").symbols();
    EXPECT_EQ(english.groupSeparator, ",");
    EXPECT_EQ(english.digits[0], "0");
    EXPECT_EQ(english.digits[9], "9");
    EXPECT_EQ(Win32NumberFormat(L"de-DE").symbols().groupSeparator, ".");
    const std::string french = thousandsSeparator(L"fr-FR");
    EXPECT_FALSE(french.empty());
    EXPECT_NE(french, ",");
    EXPECT_EQ(Win32NumberFormat(L"fr-FR").symbols().groupSeparator, french);
    EXPECT_EQ(Win32NumberFormat(L"hi-IN").symbols().groupSeparator, ",");
    // The user's own region by default.
    EXPECT_EQ(Win32NumberFormat().symbols().groupSeparator,
              thousandsSeparator(LOCALE_NAME_USER_DEFAULT));
}

TEST(Win32MemoryProbeTest, reportsSixtyFourBitFigures) {
    Win32MemoryProbe probe;
    const MemoryFigures figures = probe.query();
    EXPECT_GE(figures.totalPhysicalBytes, 64ull << 20);
    EXPECT_GT(figures.availablePhysicalBytes, 0u);
    EXPECT_LE(figures.availablePhysicalBytes, figures.totalPhysicalBytes);
    // Under Wine the host's own figure is at hand: the total must match it,
    // not a value cut to 32 bits.
    std::ifstream meminfo("Z:\\proc\\meminfo");
    std::string key;
    std::uint64_t kilobytes = 0;
    if (meminfo >> key >> kilobytes && key == "MemTotal:") {
        EXPECT_NEAR(static_cast<double>(figures.totalPhysicalBytes),
                    static_cast<double>(kilobytes) * 1024.0, 0.02 * kilobytes * 1024.0);
    }
}

TEST(Win32ShellServiceTest, textsMakeTheTripThroughTheAnsiCodePage) {
    if (::GetACP() != 1252) {
        GTEST_SKIP() << "written for the Western European code page";
    }
    const Win32ShellService shell;
    EXPECT_EQ(shell.narrowRoundTrip("Open"), "Open");
    EXPECT_EQ(shell.narrowRoundTrip("Caf\xc3\xa9"), "Caf\xc3\xa9");
    // No best fit for a Japanese character: the default character comes back.
    EXPECT_EQ(shell.narrowRoundTrip("\xe6\x97\xa5 Open"), "? Open");
}

TEST(Win32ShellServiceTest, answersWithTheShellsResultCodes) {
    if (::GetACP() != 1252) {
        GTEST_SKIP() << "written for the Western European code page";
    }
    WorkingFolder folder;
    const std::wstring file = folder.write(L"Caf\u00e9.tallywick-unknown", "x");
    Win32ShellService shell;
    LaunchRequest request;
    request.operation = "Open";
    request.directory = ".";
    // The UTF-8 name reaches the shell as the ANSI name of the existing file:
    // found, but nothing is registered for it.
    request.file = "Caf\xc3\xa9.tallywick-unknown";
    EXPECT_EQ(static_cast<std::int32_t>(shell.execute(request)), 31);
    request.file = "Missing.tallywick-unknown";
    EXPECT_EQ(static_cast<std::int32_t>(shell.execute(request)), 2);
    // A program is started with its parameters.
    request.file = "cmd.exe";
    request.parameters = "/c exit";
    EXPECT_GT(static_cast<std::int32_t>(shell.execute(request)), 32);
}

std::string readBytes(const std::string& path) {
    std::ifstream in(std::filesystem::path(toWide(path)), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(Win32FileSystemTest, kindsFollowLinksAsExplorerDoes) {
    WorkingFolder temp;
    Win32FileSystem files;
    const std::string at = temp.path() + "\\";
    ASSERT_TRUE(::CreateDirectoryW(L"folder", nullptr));
    temp.write(L"file", "x");
    EXPECT_EQ(files.kindOf(at + "folder"), PathKind::Folder);
    EXPECT_EQ(files.kindOf(at + "file"), PathKind::File);
    EXPECT_EQ(files.kindOf(at + "missing"), PathKind::Missing);
    EXPECT_EQ(files.kindOf(at + "missing\\below"), PathKind::Missing);
    EXPECT_NE(files.kindOf(at + "file\\below"), PathKind::File);
    EXPECT_NE(files.kindOf(at + "file\\below"), PathKind::Folder);
    // Links as Windows makes them. Wine 8 makes none (and says it did): its
    // links are the host's, which the installer test makes, Documents first.
    const std::wstring folder = toWide(at);
    if (::CreateSymbolicLinkW(L"link to folder", (folder + L"folder").c_str(),
                              SYMBOLIC_LINK_FLAG_DIRECTORY) &&
        ::GetFileAttributesW(L"link to folder") != INVALID_FILE_ATTRIBUTES) {
        ASSERT_TRUE(::CreateSymbolicLinkW(L"link to file", (folder + L"file").c_str(), 0));
        ASSERT_TRUE(::CreateSymbolicLinkW(L"dangling", (folder + L"gone").c_str(), 0));
        EXPECT_EQ(files.kindOf(at + "link to folder"), PathKind::Folder);
        EXPECT_EQ(files.kindOf(at + "link to file"), PathKind::File);
        EXPECT_EQ(files.kindOf(at + "dangling"), PathKind::BrokenLink);
    }
}

TEST(Win32FileSystemTest, writesNeverReplaceWhatIsThereUnlessAskedTo) {
    WorkingFolder temp;
    Win32FileSystem files;
    const std::string at = temp.path() + "\\";
    const std::string source = toUtf8(temp.write(L"source", "whole list\r\n"));
    temp.write(L"kept", "the user's\r\n");

    EXPECT_TRUE(files.copyToNewFile(source, at + "copy \u00e9").ok());
    EXPECT_EQ(readBytes(at + "copy \u00e9"), "whole list\r\n");
    EXPECT_EQ(files.copyToNewFile(source, at + "kept").fault, FileFault::AlreadyExists);
    EXPECT_EQ(files.copyToNewFile(at + "missing", at + "from missing").fault, FileFault::NotFound);
    ASSERT_TRUE(::CreateDirectoryW(L"folder", nullptr));
    EXPECT_EQ(files.copyToNewFile(at + "folder", at + "from folder").fault, FileFault::NotAFile);
    EXPECT_EQ(files.kindOf(at + "from folder"), PathKind::Missing);

    EXPECT_EQ(files.renameFile(at + "copy \u00e9", at + "kept", false).fault,
              FileFault::AlreadyExists);
    EXPECT_EQ(readBytes(at + "kept"), "the user's\r\n");
    EXPECT_TRUE(files.renameFile(at + "copy \u00e9", at + "new", false).ok());
    EXPECT_TRUE(files.renameFile(at + "new", at + "kept", true).ok());
    EXPECT_EQ(readBytes(at + "kept"), "whole list\r\n");

    std::string bytes;
    EXPECT_EQ(files.readFile(at + "kept", 5, bytes).fault, FileFault::TooLarge);
    EXPECT_TRUE(files.readFile(at + "kept", 12, bytes).ok());
    EXPECT_EQ(bytes, "whole list\r\n");
    EXPECT_EQ(files.makeFolder(at + "kept").fault, FileFault::AlreadyExists);
    EXPECT_EQ(files.makeFolder(at + "no\\such").fault, FileFault::NotFound);
    EXPECT_TRUE(files.removeFile(at + "kept").ok());
    EXPECT_EQ(files.removeFile(at + "folder").ok(), false);
    EXPECT_EQ(files.kindOf(at + "folder"), PathKind::Folder);
}

TEST(Win32FileSystemTest, aFolderLockHoldsOffOthersUntilReleasedHoweverTheFolderIsNamed) {
    WorkingFolder temp;
    Win32FileSystem files;
    ASSERT_TRUE(::CreateDirectoryW(L"Lists", nullptr));
    std::atomic<bool> otherHasIt = false;
    std::thread other;
    {
        const auto lock = files.lockFolder(temp.path() + "\\Lists");
        ASSERT_NE(lock, nullptr);
        // Another launcher, naming the folder in other letters.
        other = std::thread([&] {
            Win32FileSystem theirs;
            const auto theirLock = theirs.lockFolder(temp.path() + "\\LISTS\\.");
            otherHasIt = theirLock != nullptr;
        });
        // Given every chance to take it meanwhile.
        for (int i = 0; i < 20 && !otherHasIt; ++i) {
            ::Sleep(10);
        }
        EXPECT_FALSE(otherHasIt);
    }
    other.join();
    EXPECT_TRUE(otherHasIt);
    EXPECT_EQ(files.lockFolder(temp.path() + "\\missing"), nullptr);
}

// The launcher's core on the real file system: the folder is made and filled
// with the four files, a part left by a start cut short goes, and a list the
// user changed is never overwritten.
TEST(Win32FileSystemTest, theListsFolderIsMadeAndFilledWithoutOverwritingTheUsers) {
    WorkingFolder temp;
    ASSERT_TRUE(::CreateDirectoryW(L"delivered", nullptr));
    const std::vector<std::wstring> names = {L"buslist.txt", L"buslistb.txt", L"buslistc.txt",
                                             L"bushelp.txt"};
    for (const auto& name : names) {
        temp.write(L"delivered\\" + name, "delivered " + toUtf8(name));
    }
    Win32FileSystem files;
    const std::string documents = temp.path() + "\\Documents \u00e9";
    const std::string folder = documents + "\\TALLYWICK";
    ListFolder lists(files, documents, temp.path() + "\\delivered");
    ASSERT_EQ(lists.prepare(), std::nullopt);
    EXPECT_EQ(lists.path(), folder);
    for (const auto& name : names) {
        EXPECT_EQ(readBytes(folder + "\\" + toUtf8(name)), "delivered " + toUtf8(name));
    }
    const std::string mine = folder + "\\buslist.txt";
    ASSERT_TRUE(files.removeFile(mine).ok());
    temp.write(L"Documents \u00e9\\TALLYWICK\\buslist.txt", "my list");
    temp.write(L"Documents \u00e9\\TALLYWICK\\" + toWide(ListFolder::partialName("buslistb.txt")),
               "half");
    ASSERT_TRUE(files.removeFile(folder + "\\buslistc.txt").ok());
    ASSERT_EQ(lists.prepare(), std::nullopt);
    EXPECT_EQ(readBytes(mine), "my list");
    EXPECT_EQ(readBytes(folder + "\\buslistc.txt"), "delivered buslistc.txt");
    EXPECT_EQ(files.kindOf(folder + "\\" + ListFolder::partialName("buslistb.txt")),
              PathKind::Missing);
}

// Sets a value of the user's shell folders for the length of a test.
class ShellFolderValue {
public:
    ShellFolderValue(const wchar_t* name, const std::wstring& value) : name_(name) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          &key_, nullptr);
        DWORD size = 0;
        if (::RegQueryValueExW(key_, name_, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
            previous_.resize(size / sizeof(wchar_t));
            ::RegQueryValueExW(key_, name_, nullptr, &type_,
                               reinterpret_cast<BYTE*>(previous_.data()), &size);
            hadValue_ = true;
        }
        ::RegSetValueExW(key_, name_, 0, REG_EXPAND_SZ,
                         reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    ShellFolderValue(const ShellFolderValue&) = delete;
    ShellFolderValue& operator=(const ShellFolderValue&) = delete;
    ~ShellFolderValue() {
        if (hadValue_) {
            ::RegSetValueExW(key_, name_, 0, type_, reinterpret_cast<const BYTE*>(previous_.data()),
                             static_cast<DWORD>(previous_.size() * sizeof(wchar_t)));
        } else {
            ::RegDeleteValueW(key_, name_);
        }
        ::RegCloseKey(key_);
    }

private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    const wchar_t* name_;
    HKEY key_ = nullptr;
    DWORD type_ = REG_EXPAND_SZ;
    std::wstring previous_;
    bool hadValue_ = false;
};

TEST(Win32DesktopTest, documentsAreWhereverTheyAreRedirectedAndAMissingProgramIsTold) {
    Win32Desktop desktop("C:\\nowhere\\tallywick.exe");
    const DocumentsFolder usual = desktop.documentsFolder();
    std::array<wchar_t, MAX_PATH> profile{};
    ::GetEnvironmentVariableW(L"USERPROFILE", profile.data(), static_cast<DWORD>(profile.size()));
    EXPECT_EQ(usual.path, toUtf8(profile.data()) + "\\Documents");
    {
        // As OneDrive or a group policy moves it: to a folder that need not
        // exist yet, named in the user's variables.
        ShellFolderValue moved(L"Personal", L"%USERPROFILE%\\OneDrive - Caf\u00e9\\Documents");
        EXPECT_EQ(desktop.documentsFolder().path,
                  toUtf8(profile.data()) + "\\OneDrive - Caf\u00e9\\Documents");
    }
    EXPECT_EQ(desktop.documentsFolder().path, usual.path);

    const std::optional<std::string> failure = desktop.startProgram(usual.path);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->rfind("C:\\nowhere\\tallywick.exe cannot be started: ", 0), 0u) << *failure;
}

// Reads the message box that Win32MessageBoxes shows and closes it.
struct SeenBox {
    std::wstring title;
    std::wstring text;
    bool topmost = false;
    bool hasIcon = false;
};
SeenBox seenBox;

BOOL CALLBACK findDialog(HWND window, LPARAM found) {
    std::array<wchar_t, 16> name{};
    ::GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    if (std::wstring(name.data()) == L"#32770" && ::IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK findIcon(HWND child, LPARAM found) {
    if ((::GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        ::IsWindowVisible(child) && ::SendMessageW(child, STM_GETICON, 0, 0) != 0) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK closeTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &findDialog, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) {
        return;
    }
    ::KillTimer(nullptr, timer);
    std::array<wchar_t, 256> text{};
    ::GetWindowTextW(box, text.data(), static_cast<int>(text.size()));
    seenBox.title = text.data();
    // The static with the message text has the id 0xFFFF.
    ::GetDlgItemTextW(box, 0xFFFF, text.data(), static_cast<int>(text.size()));
    seenBox.text = text.data();
    ::EnumChildWindows(box, &findIcon, reinterpret_cast<LPARAM>(&seenBox.hasIcon));
    seenBox.topmost = (::GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

SeenBox showAndClose(const MessageBoxRequest& request) {
    seenBox = {};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &closeTheBox);
    Win32MessageBoxes boxes;
    boxes.show(request);
    ::KillTimer(nullptr, timer);
    return seenBox;
}

TEST(Win32MessageBoxesTest, showsTheTextTitleAndStyleAsked) {
    const SeenBox report =
        showAndClose({"Run-time error '53':\n\nFile not found: buslist.txt", std::nullopt, 0x10});
    EXPECT_EQ(report.title, L"TALLYWICK");
    EXPECT_EQ(report.text, L"Run-time error '53':\n\nFile not found: buslist.txt");
    EXPECT_TRUE(report.hasIcon);

    const SeenBox plain = showAndClose({"Sorry!", std::nullopt, 0});
    EXPECT_EQ(plain.title, L"TALLYWICK");
    EXPECT_FALSE(plain.hasIcon);

    const SeenBox warning = showAndClose({"There was an ERROR?", "Open URL Error", 0x1030});
    EXPECT_EQ(warning.title, L"Open URL Error");
    EXPECT_TRUE(warning.hasIcon);
    EXPECT_TRUE(warning.topmost);
}

} // namespace
} // namespace tallywick
