// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

// List reader throughput: the field splitter alone and the whole of
// loadListEntries (read, decode and split: what start-up runs), each against
// a plain memchr scan for line ends over the same bytes, measured in the same
// process; then reading list files from disk, each reading in a process of
// its own as at start-up: the time against one plain read() of the same
// files, and the peak memory against their size. Prints one tab-separated
// row per figure:
// figure, case, median, baseline, ratio, runs.

#include "ListCorpus.h"
#include "catalogue/ListFieldParser.h"
#include "catalogue/ListFileLoader.h"
#include "platform/posix/PosixListFileSource.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace tallywick::bench {

namespace {

struct Corpus {
    std::string label;
    std::string bytes;
};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Serves one list file from memory, in the pieces the caller asks for.
class MemoryListFile final : public ListFile {
public:
    explicit MemoryListFile(std::string_view bytes) : rest_(bytes), size_(bytes.size()) {}
    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t n = std::min(size, rest_.size());
        std::memcpy(buffer, rest_.data(), n);
        rest_.remove_prefix(n);
        return n;
    }
    // As a file on disk says its size.
    [[nodiscard]] std::uint64_t claimedSize() const override { return size_; }

private:
    std::string_view rest_;
    std::size_t size_;
};

class MemoryListFiles final : public ListFilePort {
public:
    explicit MemoryListFiles(std::string_view bytes) : bytes_(bytes) {}
    std::unique_ptr<ListFile> open(const std::string& /*name*/) override {
        return std::make_unique<MemoryListFile>(bytes_);
    }

private:
    std::string_view bytes_;
};

void scanLineEnds(benchmark::State& state, const Corpus& corpus) {
    const char* const begin = corpus.bytes.data();
    const char* const end = begin + corpus.bytes.size();
    for (auto _ : state) {
        std::size_t lines = 0;
        const char* p = begin;
        while (p != end) {
            const auto* hit = static_cast<const char*>(std::memchr(p, '\n', end - p));
            if (hit == nullptr) {
                break;
            }
            ++lines;
            p = hit + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(corpus.bytes.size()));
}

void parseOnly(benchmark::State& state, const Corpus& corpus) {
    const std::string_view bytes = corpus.bytes;
    // The fields are written to a buffer of their own, so that every round
    // splits the same text.
    std::string out(bytes.size(), '\0');
    for (auto _ : state) {
        GrowingArray<std::size_t> ends;
        if (!splitListFields(bytes.data(), bytes.data() + bytes.size(), out.data(), kMaxListEntries,
                             ends)) {
            state.SkipWithError("overflow");
            break;
        }
        benchmark::DoNotOptimize(ends.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

void loadEntries(benchmark::State& state, const Corpus& corpus) {
    MemoryListFiles files(corpus.bytes);
    const std::string name = "buslist.txt";
    for (auto _ : state) {
        auto entries = loadListEntries(files, name);
        benchmark::DoNotOptimize(entries.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(corpus.bytes.size()));
}

// Keeps the rate of every repetition of every benchmark, by name.
class Collector final : public benchmark::BenchmarkReporter {
public:
    bool ReportContext(const Context& /*context*/) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration) {
                continue;
            }
            if (run.error_occurred) {
                failed_ = true;
                std::fprintf(stderr, "%s: %s\n", run.benchmark_name().c_str(),
                             run.error_message.c_str());
                continue;
            }
            const auto it = run.counters.find("bytes_per_second");
            if (it != run.counters.end()) {
                rates_[run.run_name.function_name].push_back(it->second.value);
            }
        }
    }

    [[nodiscard]] bool failed() const { return failed_; }

    // Median rate in decimal megabytes a second.
    [[nodiscard]] double medianMBps(const std::string& name) const {
        const auto it = rates_.find(name);
        if (it == rates_.end() || it->second.empty()) {
            throw std::runtime_error("no measurement for " + name);
        }
        std::vector<double> values = it->second;
        std::sort(values.begin(), values.end());
        const std::size_t n = values.size();
        const double median =
            n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
        return median / 1e6;
    }
    [[nodiscard]] std::size_t runs(const std::string& name) const {
        const auto it = rates_.find(name);
        return it == rates_.end() ? 0 : it->second.size();
    }

private:
    std::map<std::string, std::vector<double>> rates_;
    bool failed_ = false;
};

std::string fixed(double value, int decimals) {
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << value;
    return out.str();
}

std::string sizeText(std::size_t bytes) {
    if (bytes < 10 * 1024) {
        return std::to_string(bytes) + " B";
    }
    if (bytes < 10 * 1024 * 1024) {
        return std::to_string((bytes + 512) / 1024) + " KiB";
    }
    return fixed(static_cast<double>(bytes) / (1024.0 * 1024.0), 1) + " MiB";
}

// 30,000 entries of 2,000 letters, about 60 MB: ASCII, or Windows-1252 with
// every other letter accented, or with every letter a euro sign (three bytes
// of UTF-8 for each byte of the file, the most any file gives).
enum class LargeList { Ascii, Accented, Euros };
std::string largeList(LargeList kind) {
    std::string list;
    list.reserve(30000 * 2002);
    for (int entry = 0; entry < 30000; ++entry) {
        for (int letter = 0; letter < 2000; ++letter) {
            const char plain = static_cast<char>('a' + letter % 26);
            list.push_back(kind == LargeList::Euros                         ? '\x80'
                           : kind == LargeList::Accented && letter % 2 == 1 ? '\xE9'
                                                                            : plain);
        }
        list += "\r\n";
    }
    return list;
}

// What one process reading list files measured: its peak resident memory in
// KB and the time the reading took in microseconds.
struct Reading {
    long peakKilobytes = 0;
    long microseconds = 0;
};

// This program reading the files in a process of its own, as the program
// reads its lists once at start-up, into memory it has not touched yet: mode
// "--load" through the file source and the reader, "--read" with one plain
// read() each into a buffer of the file's size (the floor). Its peak is its
// VmHWM, which counts only the process's own memory (what the kernel's
// rusage reports for a child also counts the parent's at the time it was
// started).
Reading readInAProcess(const std::string& mode, const std::vector<std::string>& paths) {
    std::string self = "/proc/self/exe";
    std::vector<std::string> args = {self, mode};
    args.insert(args.end(), paths.begin(), paths.end());
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    const std::string report = paths.front() + ".report";
    posix_spawn_file_actions_t actions{};
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, report.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = -1;
    const int error = ::posix_spawn(&child, self.c_str(), &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start a reading process");
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("reading " + paths.front() + " failed");
    }
    Reading reading;
    std::ifstream(report) >> reading.peakKilobytes >> reading.microseconds;
    std::remove(report.c_str());
    return reading;
}

// This process's peak resident memory in KB.
long ownPeakKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

// The child's side of readInAProcess: reads the files and prints its peak
// and the time taken.
int readFiles(bool throughTheReader, const std::vector<std::string>& paths) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t held = 0;
    std::vector<ListEntries> lists;
    std::vector<std::unique_ptr<char[]>> buffers;
    for (const std::string& path : paths) {
        if (throughTheReader) {
            PosixListFileSource files;
            lists.push_back(loadListEntries(files, path));
            held += lists.back().size();
            continue;
        }
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        struct stat status {};
        if (fd < 0 || ::fstat(fd, &status) != 0) {
            return 1;
        }
        const auto size = static_cast<std::size_t>(status.st_size);
        buffers.push_back(std::make_unique_for_overwrite<char[]>(size));
        std::size_t got = 0;
        while (got < size) {
            const ssize_t n = ::read(fd, buffers.back().get() + got, size - got);
            if (n <= 0) {
                return 1;
            }
            got += static_cast<std::size_t>(n);
        }
        ::close(fd);
        held += got;
    }
    const auto took = std::chrono::steady_clock::now() - start;
    benchmark::DoNotOptimize(held);
    std::printf(
        "%ld %ld\n", ownPeakKilobytes(),
        static_cast<long>(std::chrono::duration_cast<std::chrono::microseconds>(took).count()));
    return 0;
}

template <typename T> T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Reading list files from disk, each reading in a process of its own, the
// reader's and the plain read()'s taking turns: the time against the plain
// read()'s, the peak memory beyond that of a process reading an empty file
// against the files' size.
void printDiskFigures(int runs) {
    char folder[] = "/tmp/tallywick-bench-XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        throw std::runtime_error("cannot make a folder for the large lists");
    }
    const auto write = [&folder](const std::string& name, const std::string& bytes) {
        const std::string path = std::string(folder) + "/" + name;
        std::ofstream(path, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    };
    const std::string empty = write("empty.txt", "");
    const long base = readInAProcess("--load", {empty}).peakKilobytes;

    struct Case {
        std::string label;
        std::vector<std::string> paths;
        std::size_t bytes;
    };
    const std::string typical = typicalList(kMaxListEntries);
    std::vector<Case> cases = {
        {"3 lists of 32,767 typical entries",
         {write("a.txt", typical), write("b.txt", typical), write("c.txt", typical)},
         3 * typical.size()}};
    const std::tuple<LargeList, const char*, const char*> large[] = {
        {LargeList::Ascii, "ascii.txt", "60 MB ASCII list"},
        {LargeList::Accented, "accented.txt",
         "60 MB Windows-1252 list, every other letter accented"},
        {LargeList::Euros, "euros.txt", "60 MB Windows-1252 list, every letter a euro sign"},
    };
    for (const auto& [kind, name, label] : large) {
        const std::string list = largeList(kind);
        cases.push_back({label, {write(name, list)}, list.size()});
    }

    for (const Case& c : cases) {
        std::vector<long> loadTimes;
        std::vector<long> readTimes;
        std::vector<long> peaks;
        for (int run = 0; run < runs; ++run) {
            const Reading loaded = readInAProcess("--load", c.paths);
            loadTimes.push_back(loaded.microseconds);
            peaks.push_back(loaded.peakKilobytes - base);
            readTimes.push_back(readInAProcess("--read", c.paths).microseconds);
        }
        const double load = static_cast<double>(median(loadTimes)) / 1000.0;
        const double read = static_cast<double>(median(readTimes)) / 1000.0;
        std::printf("Reader from disk, time (ms)\t%s\t%s\tread() %s\t%s\t%d\n", c.label.c_str(),
                    fixed(load, 1).c_str(), fixed(read, 1).c_str(), fixed(load / read, 2).c_str(),
                    runs);
        const long peak = median(peaks);
        const long size = static_cast<long>(c.bytes / 1024);
        std::printf("Reader, peak memory (KB)\t%s\t%ld\tfiles %ld\t%s\t%d\n", c.label.c_str(), peak,
                    size, fixed(static_cast<double>(peak) / static_cast<double>(size), 2).c_str(),
                    runs);
    }
    for (const Case& c : cases) {
        for (const std::string& path : c.paths) {
            std::remove(path.c_str());
        }
    }
    std::remove(empty.c_str());
    ::rmdir(folder);
}

} // namespace

int run(int argc, char** argv) {
    // The first argument that is no option of Google Benchmark's names the
    // folder of the delivered lists.
    std::string assets = TALLYWICK_ASSETS_DIR;
    int repetitions = 10;
    std::vector<char*> args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--load" || arg == "--read") {
            // One reading, for readInAProcess().
            return readFiles(arg == "--load", {argv + i + 1, argv + argc});
        }
        if (arg.rfind("--assets=", 0) == 0) {
            assets = arg.substr(9);
        } else if (arg.rfind("--runs=", 0) == 0) {
            repetitions = std::max(1, std::stoi(arg.substr(7)));
        } else {
            args.push_back(argv[i]);
        }
    }
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.push_back(interleave.data());
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());

    std::vector<Corpus> corpora;
    for (const char* name : {"buslist.txt", "buslistb.txt", "buslistc.txt"}) {
        corpora.push_back({name, readFile(assets + "/" + name)});
    }
    corpora.push_back({"32,767 typical entries", typicalList(kMaxListEntries)});
    corpora.push_back({"32,767 long quoted entries", longQuotedList(kMaxListEntries)});

    struct Kind {
        const char* name;
        void (*body)(benchmark::State&, const Corpus&);
    };
    const Kind kinds[] = {
        {"memchr", scanLineEnds}, {"parser", parseOnly}, {"entries", loadEntries}};
    for (const Corpus& corpus : corpora) {
        for (const Kind& kind : kinds) {
            const std::string name = std::string(kind.name) + "/" + corpus.label;
            const Corpus* bytes = &corpus;
            auto* body = kind.body;
            benchmark::RegisterBenchmark(
                name.c_str(), [bytes, body](benchmark::State& state) { body(state, *bytes); })
                ->Repetitions(repetitions)
                ->MinTime(0.05)
                ->UseRealTime();
        }
    }
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    if (collector.failed()) {
        return 1;
    }

    for (const Corpus& corpus : corpora) {
        const std::string what = corpus.label + " (" + sizeText(corpus.bytes.size()) + ")";
        const double floor = collector.medianMBps("memchr/" + corpus.label);
        const std::pair<const char*, const char*> figures[] = {
            {"parser", "Reader, parser alone (MB/s)"},
            {"entries", "Reader, loadListEntries (MB/s)"},
        };
        for (const auto& [kind, title] : figures) {
            const std::string name = std::string(kind) + "/" + corpus.label;
            const double rate = collector.medianMBps(name);
            std::printf("%s\t%s\t%s\tmemchr %s\t%s\t%zu\n", title, what.c_str(),
                        fixed(rate, 0).c_str(), fixed(floor, 0).c_str(),
                        fixed(rate / floor, 2).c_str(), collector.runs(name));
        }
    }
    printDiskFigures(repetitions);
    return 0;
}

} // namespace tallywick::bench

int main(int argc, char** argv) {
    try {
        return tallywick::bench::run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "reader benchmark: %s\n", error.what());
        return 1;
    }
}
