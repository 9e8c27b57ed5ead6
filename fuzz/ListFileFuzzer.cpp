// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// libFuzzer target for reading list files from disk, through the file source
// as start-up does: the reads in pieces, the size a file claims against what
// it gives, and the 64 MB bound. Each input is a plan and a text:
//   byte 0     how large the file is made: the text as it is, or the text
//              repeated to about one read piece (64 KB), three pieces, or
//              the bound (most inputs stay small, so that fuzzing stays fast);
//   bytes 1-2  how far from that size, -512 to +511 bytes;
//   byte 3     what happens to the file on disk while it is read: nothing, it
//              grows, or it shrinks; before which read; by how much;
//   the rest   the text.
// Whatever the plan:
// - the file source hands out the file's bytes as they are on disk when each
//   is read, and the reader asks for them to the end of the file, or to no
//   more than one piece past the bound;
// - the reading gives what the same reader gives for the bytes it was
//   handed, read from memory: the same entries, or the same error (too many
//   entries, or error 7 exactly when more than 64 MB were handed).

#include "MemoryListFiles.h"
#include "base/RunTimeError.h"
#include "catalogue/ListFileLoader.h"
#include "platform/posix/PosixListFileSource.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <variant>

namespace {

using namespace tallywick;

constexpr std::size_t kPiece = std::size_t{64} * 1024;

enum class Change { None, Grow, Shrink };

struct Plan {
    std::size_t size = 0;
    Change change = Change::None;
    std::size_t beforeRead = 0;
    std::size_t amount = 0;
};

Plan planOf(const std::uint8_t* data, std::size_t textSize) {
    Plan plan;
    const auto offset =
        static_cast<std::ptrdiff_t>(((data[1] << 8) | data[2]) % 1024) - std::ptrdiff_t{512};
    const std::size_t base = data[0] < 200   ? 0
                             : data[0] < 230 ? kPiece
                             : data[0] < 250 ? 3 * kPiece
                                             : kMaxListFileBytes;
    plan.size =
        base == 0 ? textSize : static_cast<std::size_t>(static_cast<std::ptrdiff_t>(base) + offset);
    plan.change = static_cast<Change>(data[3] % 3);
    plan.beforeRead = data[3] / 3 % 4;
    constexpr std::size_t kAmounts[] = {1, 511, 4096, kPiece + 1, std::size_t{1} << 20};
    plan.amount = kAmounts[data[3] / 12 % 5];
    return plan;
}

// The text repeated to size bytes (the text, or a comma where there is none).
std::string repeated(const std::string& text, std::size_t size) {
    const std::string unit = text.empty() ? std::string(",") : text;
    std::string bytes;
    bytes.reserve(size);
    while (bytes.size() < size) {
        bytes.append(unit, 0, std::min(unit.size(), size - bytes.size()));
    }
    return bytes;
}

void check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void writeFile(const std::string& path, const std::string& bytes, int flags) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | flags, 0600);
    check(fd >= 0);
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        check(n > 0);
        written += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

// A folder of the target's own for the one file it reads, removed at exit.
const std::string& listPath() {
    static const std::string path = [] {
        static char folder[] = "/tmp/tallywick-fuzz-XXXXXX";
        check(::mkdtemp(folder) != nullptr);
        std::atexit([] {
            std::remove((std::string(folder) + "/buslist.txt").c_str());
            ::rmdir(folder);
        });
        return std::string(folder) + "/buslist.txt";
    }();
    return path;
}

// The file source, with every byte its file hands out kept, and the file on
// disk changed as planned before one of the reads.
class WatchedFiles final : public ListFilePort {
public:
    WatchedFiles(const Plan& plan, const std::string& text, std::string written)
        : onDisk(std::move(written)), plan_(plan), text_(text) {}
    std::unique_ptr<ListFile> open(const std::string& name) override {
        return std::make_unique<File>(source_.open(name), *this, name);
    }
    std::string handedOut;
    // What a reading to the end must have been handed: the file's bytes,
    // with what it grew by, or up to where it was cut (or had been read).
    std::string onDisk;

private:
    class File final : public ListFile {
    public:
        File(std::unique_ptr<ListFile> file, WatchedFiles& owner, std::string path)
            : file_(std::move(file)), owner_(owner), path_(std::move(path)) {}
        std::size_t read(char* buffer, std::size_t size) override {
            if (reads_++ == owner_.plan_.beforeRead) {
                owner_.change(path_);
            }
            const std::size_t got = file_->read(buffer, size);
            owner_.handedOut.append(buffer, got);
            return got;
        }
        [[nodiscard]] std::uint64_t claimedSize() const override { return file_->claimedSize(); }

    private:
        std::unique_ptr<ListFile> file_;
        WatchedFiles& owner_;
        std::string path_;
        std::size_t reads_ = 0;
    };

    void change(const std::string& path) {
        if (plan_.change == Change::Grow) {
            const std::string more = repeated(text_, plan_.amount);
            writeFile(path, more, O_APPEND);
            onDisk += more;
        } else if (plan_.change == Change::Shrink) {
            const std::size_t size = plan_.size > plan_.amount ? plan_.size - plan_.amount : 0;
            check(::truncate(path.c_str(), static_cast<off_t>(size)) == 0);
            onDisk.resize(std::max(size, handedOut.size()));
        }
    }

    PosixListFileSource source_;
    Plan plan_;
    const std::string& text_;
};

// The entries, or the number of the error the reading raised.
using Outcome = std::variant<ListEntries, ErrorNumber>;

Outcome read(ListFilePort& files, const std::string& name) {
    try {
        return loadListEntries(files, name);
    } catch (const RunTimeError& error) {
        check(error.number() == ErrorNumber::Overflow ||
              error.number() == ErrorNumber::OutOfMemory);
        return error.number();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data) + 4, size - 4);
    const Plan plan = planOf(data, text.size());
    std::string written = repeated(text, plan.size);
    writeFile(listPath(), written, O_CREAT | O_TRUNC);

    WatchedFiles files(plan, text, std::move(written));
    const Outcome outcome = read(files, listPath());
    const std::size_t handed = files.handedOut.size();
    check(files.onDisk.compare(0, handed, files.handedOut) == 0);
    if (handed > kMaxListFileBytes) {
        check(handed <= kMaxListFileBytes + kPiece);
        check(std::get_if<ErrorNumber>(&outcome) != nullptr &&
              std::get<ErrorNumber>(outcome) == ErrorNumber::OutOfMemory);
    } else {
        check(handed == files.onDisk.size());
    }

    fuzzing::MemoryListFiles reference(std::move(files.handedOut), kPiece);
    check(read(reference, "reference") == outcome);
    return 0;
}
