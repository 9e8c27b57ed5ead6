// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/MimeAssociations.h"

#include "platform/posix/DesktopEntry.h"
#include "platform/posix/ProgramSearch.h"

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>

namespace tallywick {

namespace {

// More applications than any desktop offers for one type; past this a list
// that names thousands is not read on.
constexpr std::size_t kMaxCandidates = 32;

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return lowerAscii(x) == lowerAscii(y);
           });
}

// A plain name for a file of its own in a folder of ours.
bool isPlainName(std::string_view name) {
    return !name.empty() && name.front() != '.' &&
           std::none_of(name.begin(), name.end(), [](char c) {
               return c == '/' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
           });
}

bool isDesktopId(std::string_view id) {
    constexpr std::string_view kSuffix = ".desktop";
    return id.size() > kSuffix.size() && id.ends_with(kSuffix) && isPlainName(id);
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

void appendFolder(std::vector<std::string>& folders, std::string folder) {
    while (folder.size() > 1 && folder.ends_with('/')) {
        folder.pop_back();
    }
    if (liesOutsideWorkingFolder(folder)) {
        folders.push_back(std::move(folder));
    }
}

// The absolute folders of a colon-separated list that lie outside the
// working folder.
void appendFolders(std::vector<std::string>& folders, std::string_view list) {
    while (!list.empty()) {
        const auto colon = list.find(':');
        appendFolder(folders, std::string(list.substr(0, colon)));
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
    }
}

// A base folder: the variable when set, else HOME's default; a relative
// value counts as none.
void appendHomeFolder(std::vector<std::string>& folders, const char* name,
                      std::string_view underHome) {
    const std::string value = variable(name);
    const std::string home = variable("HOME");
    if (!value.empty()) {
        appendFolder(folders, value);
    } else if (home.starts_with('/')) {
        appendFolder(folders, home + "/" + std::string(underHome));
    }
}

bool isFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool isFolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The file a desktop file ID names below one folder of desktop entries:
// "foo-bar.desktop" is foo-bar.desktop there, or bar.desktop in its
// subfolder foo. Each look costs one of the budget.
std::optional<std::string> findBelow(const std::string& folder, std::string_view id, int& budget) {
    if (--budget < 0) {
        return std::nullopt;
    }
    const std::string direct = folder + "/" + std::string(id);
    if (isFile(direct)) {
        return direct;
    }
    for (auto dash = id.find('-'); dash != std::string_view::npos; dash = id.find('-', dash + 1)) {
        const std::string subfolder = folder + "/" + std::string(id.substr(0, dash));
        if (dash > 0 && isPlainName(id.substr(0, dash)) && isFolder(subfolder)) {
            if (auto found = findBelow(subfolder, id.substr(dash + 1), budget)) {
                return found;
            }
        }
    }
    return std::nullopt;
}

struct ListFile {
    KeyFile list;
    bool desktopSpecific;
};

} // namespace

XdgFolders XdgFolders::fromEnvironment() {
    XdgFolders folders;
    appendHomeFolder(folders.config, "XDG_CONFIG_HOME", ".config");
    const std::string configDirs = variable("XDG_CONFIG_DIRS");
    appendFolders(folders.config, configDirs.empty() ? "/etc/xdg" : configDirs);
    appendHomeFolder(folders.data, "XDG_DATA_HOME", ".local/share");
    const std::string dataDirs = variable("XDG_DATA_DIRS");
    appendFolders(folders.data, dataDirs.empty() ? "/usr/local/share:/usr/share" : dataDirs);

    std::string_view desktops = std::getenv("XDG_CURRENT_DESKTOP") != nullptr
                                    ? std::string_view(std::getenv("XDG_CURRENT_DESKTOP"))
                                    : std::string_view();
    while (!desktops.empty()) {
        const auto colon = desktops.find(':');
        std::string name(desktops.substr(0, colon));
        desktops.remove_prefix(colon == std::string_view::npos ? desktops.size() : colon + 1);
        std::transform(name.begin(), name.end(), name.begin(), lowerAscii);
        if (isPlainName(name)) {
            folders.desktops.push_back(std::move(name));
        }
    }
    return folders;
}

MimeAssociations::MimeAssociations(XdgFolders folders) : folders_(std::move(folders)) {}

std::vector<std::string> MimeAssociations::desktopIds(const KeyFile& list, std::string_view group,
                                                      std::string_view mimeType) {
    std::vector<std::string> ids;
    for (const KeyFile::Group& g : list.groups()) {
        if (g.name != group) {
            continue;
        }
        for (const KeyFile::Entry& entry : g.entries) {
            if (!equalsIgnoringCase(entry.key, mimeType)) {
                continue;
            }
            for (std::string& id : splitList(entry.value)) {
                if (isDesktopId(id)) {
                    ids.push_back(std::move(id));
                }
            }
            return ids;
        }
    }
    return ids;
}

std::optional<std::string> MimeAssociations::entryPath(const std::string& desktopId) const {
    // The first folder that holds the ID has it, and hides it from the others.
    int budget = 16;
    for (const std::string& data : folders_.data) {
        if (auto found = findBelow(data + "/applications", desktopId, budget)) {
            return found;
        }
    }
    return std::nullopt;
}

std::optional<std::string> MimeAssociations::defaultApplication(std::string_view mimeType) const {
    std::vector<ListFile> lists;
    const auto read = [&lists](const std::string& folder,
                               const std::vector<std::string>& desktops) {
        for (const std::string& desktop : desktops) {
            std::string name = folder + "/";
            name += desktop;
            name += "-mimeapps.list";
            if (auto list = KeyFile::load(name)) {
                lists.push_back({std::move(*list), true});
            }
        }
        if (auto list = KeyFile::load(folder + "/mimeapps.list")) {
            lists.push_back({std::move(*list), false});
        }
    };
    for (const std::string& config : folders_.config) {
        read(config, folders_.desktops);
    }
    for (const std::string& data : folders_.data) {
        read(data + "/applications", folders_.desktops);
    }

    std::vector<std::string> tried;
    std::vector<std::string> removed;
    const auto usable = [&](const std::string& id) -> std::optional<std::string> {
        if (tried.size() >= kMaxCandidates ||
            std::find(tried.begin(), tried.end(), id) != tried.end() ||
            std::find(removed.begin(), removed.end(), id) != removed.end()) {
            return std::nullopt;
        }
        tried.push_back(id);
        auto path = entryPath(id);
        return path && DesktopEntry::load(*path) ? path : std::nullopt;
    };
    const auto first = [&](const std::vector<std::string>& ids) -> std::optional<std::string> {
        for (const std::string& id : ids) {
            if (auto path = usable(id)) {
                return path;
            }
        }
        return std::nullopt;
    };

    // A default named anywhere comes before any other association.
    for (const ListFile& file : lists) {
        if (auto path = first(desktopIds(file.list, "Default Applications", mimeType))) {
            return path;
        }
    }
    // The desktop-specific lists name defaults only.
    for (const ListFile& file : lists) {
        if (file.desktopSpecific) {
            continue;
        }
        if (auto path = first(desktopIds(file.list, "Added Associations", mimeType))) {
            return path;
        }
        for (std::string& id : desktopIds(file.list, "Removed Associations", mimeType)) {
            removed.push_back(std::move(id));
        }
    }
    for (const std::string& data : folders_.data) {
        if (const auto cache = KeyFile::load(data + "/applications/mimeinfo.cache")) {
            if (auto path = first(desktopIds(*cache, "MIME Cache", mimeType))) {
                return path;
            }
        }
    }
    return std::nullopt;
}

} // namespace tallywick
