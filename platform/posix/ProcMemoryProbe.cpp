// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/ProcMemoryProbe.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <limits>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#if defined(__linux__)
#include <sys/sysinfo.h>
#endif

namespace tallywick {

namespace {

constexpr std::uint64_t kMaxBytes = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > kMaxBytes - b ? kMaxBytes : a + b;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

template <typename Visit> void forEachLine(std::string_view text, Visit visit) {
    while (!text.empty()) {
        const auto end = text.find('\n');
        visit(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
}

// A number and the rest of its text, or nothing when the text does not start
// with one that fits in 64 bits.
std::optional<std::pair<std::uint64_t, std::string_view>> leadingNumber(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc()) {
        return std::nullopt;
    }
    return std::pair{value, text.substr(static_cast<std::size_t>(end - text.data()))};
}

// "      24576000 kB" -> bytes; a value without a unit is a count. Nothing for
// any other unit, or a value too large to count in bytes.
std::optional<std::uint64_t> readBytes(std::string_view value) {
    const auto number = leadingNumber(trimmed(value));
    if (!number) {
        return std::nullopt;
    }
    const auto [count, unit] = *number;
    if (unit.empty()) {
        return count;
    }
    if (trimmed(unit) != "kB" || count > kMaxBytes / 1024) {
        return std::nullopt;
    }
    return count * 1024;
}

// The kernel's own estimate of the memory that new programs can have without
// swapping, as Linux 3.14 introduced it for MemAvailable: the free memory
// above the low watermark, and the page cache and reclaimable slab less the
// part of each that must stay (half of it, at most the low watermark).
std::uint64_t estimateAvailable(std::uint64_t free, std::uint64_t pageCache, std::uint64_t slab,
                                std::uint64_t low) {
    const auto reclaimable = [low](std::uint64_t bytes) {
        return bytes - std::min(bytes / 2, low);
    };
    const std::uint64_t sum =
        saturatingAdd(free, saturatingAdd(reclaimable(pageCache), reclaimable(slab)));
    return sum > low ? sum - low : 0;
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

MemoryFigures ProcMemoryProbe::parseMeminfo(std::string_view meminfo,
                                            std::uint64_t lowWatermarkBytes) {
    std::optional<std::uint64_t> total;
    std::optional<std::uint64_t> available;
    std::optional<std::uint64_t> free;
    std::optional<std::uint64_t> activeFile;
    std::optional<std::uint64_t> inactiveFile;
    std::optional<std::uint64_t> reclaimableSlab;
    const std::array<std::pair<std::string_view, std::optional<std::uint64_t>*>, 6> fields = {{
        {"MemTotal", &total},
        {"MemAvailable", &available},
        {"MemFree", &free},
        {"Active(file)", &activeFile},
        {"Inactive(file)", &inactiveFile},
        {"SReclaimable", &reclaimableSlab},
    }};
    forEachLine(meminfo, [&fields](std::string_view line) {
        const auto colon = line.find(':');
        const auto field = std::find_if(fields.begin(), fields.end(), [&](const auto& f) {
            return colon != std::string_view::npos && line.substr(0, colon) == f.first;
        });
        if (field != fields.end()) {
            if (const auto bytes = readBytes(line.substr(colon + 1))) {
                *field->second = bytes;
            }
        }
    });

    MemoryFigures figures;
    figures.totalPhysicalBytes = total.value_or(0);
    if (available) {
        figures.availablePhysicalBytes = *available;
    } else if (free) {
        figures.availablePhysicalBytes = estimateAvailable(
            *free, saturatingAdd(activeFile.value_or(0), inactiveFile.value_or(0)),
            reclaimableSlab.value_or(0), lowWatermarkBytes);
    }
    figures.availablePhysicalBytes =
        std::min(figures.availablePhysicalBytes, figures.totalPhysicalBytes);
    return figures;
}

std::uint64_t ProcMemoryProbe::parseLowWatermarks(std::string_view zoneinfo,
                                                  std::uint64_t pageBytes) {
    std::uint64_t sum = 0;
    forEachLine(zoneinfo, [&](std::string_view line) {
        // "        low      7467": a zone's low watermark, in pages.
        line = trimmed(line);
        if (pageBytes == 0 || !line.starts_with("low") || line.size() < 4 ||
            (line[3] != ' ' && line[3] != '\t')) {
            return;
        }
        const auto number = leadingNumber(trimmed(line.substr(3)));
        if (number && number->second.empty()) {
            sum = saturatingAdd(
                sum, number->first > kMaxBytes / pageBytes ? kMaxBytes : number->first * pageBytes);
        }
    });
    return sum;
}

MemoryFigures ProcMemoryProbe::query() {
    const std::string meminfo = readSmallFile("/proc/meminfo");
    if (!meminfo.empty()) {
        // The watermarks matter only to the estimate, made without MemAvailable.
        std::uint64_t low = 0;
        if (meminfo.find("MemAvailable:") == std::string::npos) {
            const long pageBytes = ::sysconf(_SC_PAGESIZE);
            low = parseLowWatermarks(readSmallFile("/proc/zoneinfo"),
                                     pageBytes > 0 ? static_cast<std::uint64_t>(pageBytes) : 0);
        }
        const MemoryFigures figures = parseMeminfo(meminfo, low);
        if (figures.totalPhysicalBytes != 0) {
            return figures;
        }
    }
#if defined(__linux__)
    // Without /proc, sysinfo() knows the free memory and the buffers but not
    // the page cache: their sum falls short of the available memory, never
    // beyond it.
    struct sysinfo info {};
    if (::sysinfo(&info) == 0) {
        return {std::uint64_t{info.totalram} * info.mem_unit,
                (std::uint64_t{info.freeram} + info.bufferram) * info.mem_unit};
    }
#endif
    return {};
}

} // namespace tallywick
