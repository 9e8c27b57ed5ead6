// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "platform/posix/MimeAssociations.h"

#include "TempFolder.h"
#include "platform/posix/DesktopEntry.h"
#include "platform/posix/ExecLine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tallywick {
namespace {

using testing::TempFolder;
using Commands = std::vector<std::vector<std::string>>;

Commands commandsOf(std::string_view line, const std::vector<std::string>& files) {
    const auto exec = ExecLine::parse(line);
    EXPECT_TRUE(exec.has_value()) << line;
    return exec ? exec->commands(files, {"icon-name", "Viewer", "/apps/v.desktop"}) : Commands{};
}

TEST(ExecLineTest, eachFileIsOneArgumentAsGivenWhateverItHolds) {
    const std::string odd = "/lists/a b;$(x) %f \"q\".txt";
    EXPECT_EQ(commandsOf(R"(viewer --new "a b" "\$HOME \"x\" \\ \`" %U)", {"/f/one", odd}),
              (Commands{{"viewer", "--new", "a b", "$HOME \"x\" \\ `", "/f/one", odd}}));
    // One file a command: each gets a command of its own.
    EXPECT_EQ(commandsOf("\"/opt/my viewer/bin\" --title=100%% --file=%f", {"/f/1", "/f/2"}),
              (Commands{{"/opt/my viewer/bin", "--title=100%", "--file=/f/1"},
                        {"/opt/my viewer/bin", "--title=100%", "--file=/f/2"}}));
    EXPECT_EQ(
        commandsOf("flatpak run --file-forwarding org.example.V @@u %u @@", {"/f/1"}),
        (Commands{{"flatpak", "run", "--file-forwarding", "org.example.V", "@@u", "/f/1", "@@"}}));
    // The entry's own facts, and deprecated codes gone.
    EXPECT_EQ(commandsOf("viewer %i %c %k %d %N %F", {}),
              (Commands{{"viewer", "--icon", "icon-name", "Viewer", "/apps/v.desktop"}}));
}

TEST(ExecLineTest, linesThatBreakTheExecRulesAreNoCommandLines) {
    for (const std::string_view line :
         {"", "  ", "viewer 'a b' %f", "viewer a;b %f", "viewer a>b %f", "viewer ~/x %f",
          "viewer \"open %f", "viewer \"a\\q\" %f", "viewer \"a\"b %f", "viewer %x",
          "viewer 100% %f", "viewer %f %U", "viewer %u %u", "viewer --files=%F", "viewer -i%i %f",
          "%f viewer", "\"\" %f", "view=er %f", "viewer\t%f"}) {
        EXPECT_FALSE(ExecLine::parse(line).has_value()) << '[' << line << ']';
    }
    EXPECT_FALSE(ExecLine::parse("viewer --about")->takesFiles());
}

// A desktop of its own: config and two data folders, as XDG lays them out.
class Desktop {
public:
    Desktop() {
        for (const char* folder : {"config", "data1", "data1/applications", "data2",
                                   "data2/applications", "data2/applications/kde"}) {
            ::mkdir((root_ / folder).c_str(), 0755);
        }
        folders.config = {root_ / "config"};
        folders.data = {root_ / "data1", root_ / "data2"};
        folders.desktops = {"x-test"};
    }
    // An application that opens files with a program of PATH.
    std::string app(const std::string& path, const std::string& extra = "") const {
        return root_.write(path,
                           "[Desktop Entry]\nType=Application\nName=A\nExec=true %F\n" + extra);
    }
    void write(const std::string& path, const std::string& text) const { root_.write(path, text); }
    [[nodiscard]] std::optional<std::string> chosen() const {
        return MimeAssociations(folders).defaultApplication("text/plain");
    }
    [[nodiscard]] std::string operator/(const std::string& name) const { return root_ / name; }

    XdgFolders folders;

private:
    TempFolder root_;
};

TEST(MimeAssociationsTest, defaultsComeFirstThenAddedThenWhatApplicationsClaim) {
    Desktop desktop;
    const std::string claimed = desktop.app("data2/applications/claimed.desktop");
    desktop.write("data2/applications/mimeinfo.cache",
                  "[MIME Cache]\ntext/plain=removed.desktop;claimed.desktop;\n");
    const std::string removed = desktop.app("data2/applications/removed.desktop");
    EXPECT_EQ(desktop.chosen(), removed);
    desktop.write("data1/applications/mimeapps.list",
                  "[Removed Associations]\r\ntext/plain=removed.desktop;\r\n");
    EXPECT_EQ(desktop.chosen(), claimed);

    const std::string added = desktop.app("data2/applications/kde/added.desktop");
    desktop.write("config/mimeapps.list", "# mine\n[Added Associations]\n"
                                          "Text/Plain=kde-added.desktop;\n");
    EXPECT_EQ(desktop.chosen(), added) << "an added association comes before a claim";

    // Defaults that cannot open a file in a window of their own are passed
    // over, and so is a name that would lead out of the applications folder.
    desktop.app("data1/applications/terminal.desktop", "Terminal=true\n");
    desktop.app("data1/applications/hidden.desktop", "Hidden=true\n");
    desktop.app("data2/applications/hidden.desktop"); // hidden by the one above
    desktop.app("data1/applications/tryexec.desktop", "TryExec=no-such-program-anywhere\n");
    desktop.write("data1/applications/link.desktop", "[Desktop Entry]\nType=Link\nURL=x\n");
    desktop.write("data1/applications/nofile.desktop",
                  "[Desktop Entry]\nType=Application\nExec=true\n");
    desktop.app("evil.desktop");
    const std::string fallback = desktop.app("data2/applications/fallback.desktop");
    desktop.write("data1/applications/mimeapps.list",
                  "[Default Applications]\ntext/plain=terminal.desktop;hidden.desktop;"
                  "tryexec.desktop;link.desktop;nofile.desktop;../../evil.desktop;"
                  "missing.desktop;fallback.desktop\n"
                  "[Removed Associations]\ntext/plain=fallback.desktop\n");
    EXPECT_EQ(desktop.chosen(), fallback) << "a default comes before any association";

    // The user's desktop-specific default comes before every other default.
    const std::string mine = desktop.app("data1/applications/mine.desktop");
    desktop.write("config/x-test-mimeapps.list",
                  "[Default Applications]\ntext/plain=mine.desktop;\n");
    EXPECT_EQ(desktop.chosen(), mine);

    // A list that is no key file names nothing.
    desktop.write("config/x-test-mimeapps.list",
                  "[Default Applications]\ntext/plain=mine.desktop;\nnot an entry\n");
    EXPECT_EQ(desktop.chosen(), fallback);
}

// Lists, entries and programs that the working folder holds, or that the
// environment reaches it by, choose nothing.
TEST(MimeAssociationsTest, nothingIsTakenFromTheWorkingFolder) {
    TempFolder folder;
    const std::string lists = folder / "lists";
    ::mkdir(lists.c_str(), 0755);
    ::mkdir((lists + "/applications").c_str(), 0755);
    ::mkdir((folder / "data").c_str(), 0755);
    ::mkdir((folder / "data/applications").c_str(), 0755);
    const std::string planted = "[Desktop Entry]\nType=Application\nExec=sh -c \"x\" %f\n";
    folder.write("lists/applications/planted.desktop", planted);
    folder.write("lists/mimeapps.list", "[Default Applications]\ntext/plain=planted.desktop\n");
    folder.write("lists/tallywick-planted-viewer", "#!/bin/sh\n");
    ::chmod((lists + "/tallywick-planted-viewer").c_str(), 0755);
    folder.write("data/applications/inlists.desktop",
                 "[Desktop Entry]\nType=Application\nExec=tallywick-planted-viewer %f\n");
    ASSERT_EQ(::symlink((lists + "/applications/planted.desktop").c_str(),
                        (folder / "data/applications/linked.desktop").c_str()),
              0);
    folder.write("data/applications/mimeinfo.cache",
                 "[MIME Cache]\ntext/plain=planted.desktop;inlists.desktop;linked.desktop;\n");

    char here[4096];
    ASSERT_NE(::getcwd(here, sizeof here), nullptr);
    ASSERT_EQ(::chdir(lists.c_str()), 0);
    const std::string previousPath = std::getenv("PATH");
    ::setenv("PATH", (lists + ":" + previousPath).c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", "/proc/self/cwd", 1);
    ::setenv("XDG_CONFIG_DIRS", ".:applications", 1);
    ::setenv("XDG_DATA_HOME", lists.c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (lists + ":" + folder / "data").c_str(), 1);
    ::setenv("XDG_CURRENT_DESKTOP", "../lists/x:GNOME", 1);
    const XdgFolders folders = XdgFolders::fromEnvironment();
    const auto chosen = MimeAssociations(folders).defaultApplication("text/plain");
    ::setenv("PATH", previousPath.c_str(), 1);
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                             "XDG_CURRENT_DESKTOP"}) {
        ::unsetenv(name);
    }
    ASSERT_EQ(::chdir(here), 0);

    EXPECT_TRUE(folders.config.empty());
    EXPECT_EQ(folders.data, std::vector<std::string>{folder / "data"});
    EXPECT_EQ(folders.desktops, std::vector<std::string>{"gnome"});
    EXPECT_EQ(chosen, std::nullopt);
}

} // namespace
} // namespace tallywick
