// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "listfolder/Launcher.h"
#include "platform/posix/PosixDesktop.h"
#include "platform/posix/PosixFileSystem.h"
#include "ui/qt/launcher/SpawnedMessageBoxes.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The path of a file installed relative to the launcher's own folder, found
// from where the launcher runs: an install under any prefix or DESTDIR works.
std::string besideLauncher(const char* relative) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return relative;
    }
    return (self.parent_path() / relative).lexically_normal().string();
}

} // namespace

int main(int argc, char* argv[]) {
    using namespace tallywick;
    SpawnedMessageBoxes boxes(besideLauncher(TALLYWICK_MESSAGE_BOX_FROM_LAUNCHER));
    PosixFileSystem files;
    PosixDesktop desktop(besideLauncher(TALLYWICK_PROGRAM_FROM_LAUNCHER));
    Launcher launcher(files, desktop, boxes, besideLauncher(TALLYWICK_DELIVERED_FROM_LAUNCHER));
    const std::vector<std::string> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
    return launcher.run(arguments);
}
