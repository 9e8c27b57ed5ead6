// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ProcMemoryProbe.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <unistd.h>
#if defined(__linux__)
#include <sys/sysinfo.h>
#endif

namespace tallywick {

namespace {

// "MemTotal:       24576000 kB" -> bytes.
bool readField(std::string_view line, std::string_view key, std::uint64_t& bytes) {
    if (!line.starts_with(key) || line.size() <= key.size() || line[key.size()] != ':') {
        return false;
    }
    line.remove_prefix(key.size() + 1);
    const auto first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    line.remove_prefix(first);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc()) {
        return false;
    }
    const std::string_view unit(end, line.data() + line.size() - end);
    bytes = unit.find("kB") != std::string_view::npos ? value * 1024 : value;
    return true;
}

// The whole of a small file, or nothing when it cannot be read. Plain POSIX
// reads: file streams would set up the C++ locale machinery just for this,
// which costs the program a few hundred kilobytes of memory.
std::string readSmallFile(const char* path) {
    std::string text;
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return text;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            text.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(fd);
    return text;
}

} // namespace

MemoryFigures ProcMemoryProbe::parseMeminfo(std::string_view text) {
    MemoryFigures figures;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        if (!readField(line, "MemTotal", figures.totalPhysicalBytes)) {
            readField(line, "MemAvailable", figures.availablePhysicalBytes);
        }
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return figures;
}

MemoryFigures ProcMemoryProbe::query() {
    const std::string text = readSmallFile("/proc/meminfo");
    if (!text.empty()) {
        const MemoryFigures figures = parseMeminfo(text);
        if (figures.totalPhysicalBytes != 0) {
            return figures;
        }
    }
#if defined(__linux__)
    struct sysinfo info {};
    if (::sysinfo(&info) == 0) {
        return {std::uint64_t{info.totalram} * info.mem_unit,
                std::uint64_t{info.freeram} * info.mem_unit};
    }
#endif
    return {};
}

} // namespace tallywick
