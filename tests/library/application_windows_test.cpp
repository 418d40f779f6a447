#include "library/application_windows.h"
#include "library/workspace_process.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::encodePlist;
using testing::TemporaryFolder;
using testing::writeFile;

ClientWindow window(std::uint32_t id, std::string instance, std::string className,
                    std::optional<fs::path> executable = std::nullopt) {
    return {.id = id,
            .pid = 4242,
            .instanceName = std::move(instance),
            .className = std::move(className),
            .executable = std::move(executable)};
}

class FakeWindows final : public ApplicationWindows {
public:
    std::vector<ClientWindow> clientWindows() override { return windows; }
    bool activate(std::uint32_t id) override {
        activated.push_back(id);
        return accepts;
    }
    std::vector<ClientWindow> windows;
    std::vector<std::uint32_t> activated;
    bool accepts = true;
};

fs::path ownExecutable() {
    return fs::canonical("/proc/self/exe");
}

TEST(ApplicationWindows, BundleWindowsMatchByTheProcessExecutable) {
    const WindowTarget bundle{.executable = "/apps/Notes.app/Contents/MacOS/notes"};
    const std::vector<ClientWindow> windows{
        window(1, "notes", "Notes", "/apps/Other.app/Contents/MacOS/notes"),
        window(2, "x", "X", "/apps/Notes.app/Contents/MacOS/notes"),
        window(3, "notes", "Notes"),
        window(4, "y", "Y", "/apps/Notes.app/Contents/MacOS/notes"),
        window(5, "z", "Z", "/apps/Notes.app/Contents/MacOS/notes-helper"),
    };
    // A same-named program elsewhere, or a class that looks right, is another application.
    EXPECT_EQ(matchingWindow(bundle, windows), 4u) << "the topmost of the bundle's windows";
    EXPECT_EQ(matchingWindow(bundle, {windows[0], windows[2], windows[4]}), std::nullopt);
    EXPECT_EQ(matchingWindow(bundle, {}), std::nullopt);
    EXPECT_EQ(matchingWindow(WindowTarget{}, windows), std::nullopt) << "no target, no window";
}

TEST(ApplicationWindows, DesktopEntryWindowsMatchByClass) {
    {
        SCOPED_TRACE("StartupWMClass is exact and beats the guesses from names");
        const WindowTarget entry{
            .startupWMClass = "Gimp-2.10", .desktopFileId = "gimp", .executableName = "gimp-2.10"};
        EXPECT_EQ(matchingWindow(entry, {window(1, "gimp-2.10", "Gimp-2.10"), window(2, "a", "b")}),
                  1u);
        EXPECT_EQ(matchingWindow(entry, {window(1, "gimp", "gimp-2.10")}), std::nullopt);
        EXPECT_EQ(matchingWindow(entry, {window(7, "Gimp-2.10", "")}), 7u) << "the instance name";
    }
    {
        SCOPED_TRACE("without it the desktop-file id or the program name, ignoring case");
        const WindowTarget entry{.desktopFileId = "org.gnome.TextEditor.desktop",
                                 .executableName = "gnome-text-editor"};
        EXPECT_EQ(matchingWindow(entry, {window(1, "org.gnome.texteditor", "Other")}), 1u);
        EXPECT_EQ(matchingWindow(entry, {window(2, "x", "Gnome-Text-Editor")}), 2u);
        EXPECT_EQ(matchingWindow(entry, {window(3, "gnome-text", "org.gnome")}), std::nullopt);
    }
    {
        SCOPED_TRACE("empty names match nothing, not every window without a class");
        const WindowTarget entry{.startupWMClass = ""};
        EXPECT_EQ(matchingWindow(entry, {window(1, "", "")}), std::nullopt);
        EXPECT_EQ(matchingWindow(WindowTarget{.desktopFileId = "", .executableName = ""},
                                 {window(1, "", "")}),
                  std::nullopt);
    }
}

TEST(ApplicationWindows, DesktopEntryTargets) {
    const auto gedit =
        desktopEntryTarget("org.gnome.gedit.desktop", std::nullopt, "/usr/bin/gedit", false);
    ASSERT_TRUE(gedit);
    EXPECT_EQ(gedit->desktopFileId, "org.gnome.gedit");
    EXPECT_EQ(gedit->executableName, "gedit");
    EXPECT_EQ(gedit->executable, std::nullopt) << "an entry's program is shared, not its own";
    EXPECT_EQ(matchingWindow(*gedit, {window(1, "gedit", "Gedit")}), 1u);

    const auto gimp = desktopEntryTarget("gimp.desktop", "Gimp-2.10", "gimp-2.10", false);
    ASSERT_TRUE(gimp);
    EXPECT_EQ(gimp->startupWMClass, "Gimp-2.10");
    EXPECT_EQ(matchingWindow(*gimp, {window(2, "gimp-2.10", "Gimp-2.10")}), 2u);

    EXPECT_EQ(desktopEntryTarget("org.gnome.Nautilus", std::nullopt, "nautilus", true),
              std::nullopt)
        << "left to D-Bus";
}

TEST(ApplicationWindows, BringsTheRunningProcessForward) {
    FakeWindows windows;
    const int self = static_cast<int>(::getpid());
    windows.windows = {window(10, "a", "A"), window(11, "b", "B")};
    windows.windows[1].pid = self;
    {
        SCOPED_TRACE("the process's executable is read from /proc");
        EXPECT_TRUE(bringForward(windows, {.executable = ownExecutable()}));
        EXPECT_EQ(windows.activated, std::vector<std::uint32_t>{11});
    }
    TemporaryFolder folder;
    {
        SCOPED_TRACE("a link to the program is the program");
        fs::create_symlink(ownExecutable(), folder / "link");
        windows.activated.clear();
        EXPECT_TRUE(bringForward(windows, {.executable = folder / "link"}));
        EXPECT_EQ(windows.activated, std::vector<std::uint32_t>{11});
    }
    {
        SCOPED_TRACE("a refused activation reports false, so the caller launches");
        windows.accepts = false;
        EXPECT_FALSE(bringForward(windows, {.executable = ownExecutable()}));
        windows.accepts = true;
    }
    {
        SCOPED_TRACE("no window of the program: nothing is activated");
        windows.activated.clear();
        EXPECT_FALSE(bringForward(windows, {.executable = "/usr/bin/env"}));
        EXPECT_TRUE(windows.activated.empty());
    }
    {
        SCOPED_TRACE("a deleted program or a process that is gone is no match");
        fs::create_directories(folder / "proc" / "77");
        fs::create_symlink("/usr/bin/env (deleted)", folder / "proc" / "77" / "exe");
        EXPECT_EQ(processExecutable(77, folder / "proc"), std::nullopt);
        EXPECT_EQ(processExecutable(78, folder / "proc"), std::nullopt);
        EXPECT_EQ(processExecutable(0, folder / "proc"), std::nullopt);
        windows.windows = {window(12, "c", "C")};
        windows.windows[0].pid = 77;
        EXPECT_FALSE(bringForward(windows, {.executable = "/usr/bin/env"}, folder / "proc"));
    }
}

bool eventuallyExists(const fs::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

fs::path bundleRunning(const fs::path& bundle, const fs::path& program) {
    writeFile(bundle / "Contents" / "Info.plist",
              encodePlist({{"CFBundleExecutable", "run"}}, testing::PlistFormat::xml));
    fs::create_directories(bundle / "Contents" / "MacOS");
    fs::create_symlink(program, bundle / "Contents" / "MacOS" / "run");
    return bundle;
}

TEST(ApplicationWindows, WorkspaceLaunchesOnlyWithoutAWindow) {
    TemporaryFolder home;
    auto windows = std::make_shared<FakeWindows>();
    windows->windows = {window(20, "self", "Self")};
    windows->windows[0].pid = static_cast<int>(::getpid());
    ProcessWorkspace workspace(windows);
    {
        SCOPED_TRACE("running: its window comes forward and no second copy starts");
        // This test's own program stands for the bundle's: were it started, it would run the
        // tests again.
        EXPECT_TRUE(workspace.openApplication(bundleRunning(home / "Self.app", ownExecutable())));
        EXPECT_EQ(windows->activated, std::vector<std::uint32_t>{20});
    }
    {
        SCOPED_TRACE("not running: started as before");
        const auto marker = home / "started";
        writeFile(home / "start.sh", "#!/bin/sh\ntouch '" + marker.string() + "'\n");
        fs::permissions(home / "start.sh", fs::perms::owner_all);
        windows->activated.clear();
        EXPECT_TRUE(
            workspace.openApplication(bundleRunning(home / "Start.app", home / "start.sh")));
        EXPECT_TRUE(windows->activated.empty());
        EXPECT_TRUE(eventuallyExists(marker));
    }
    {
        SCOPED_TRACE("a bundle that cannot start is not looked for either");
        windows->activated.clear();
        EXPECT_FALSE(workspace.openApplication(home / "Missing.app"));
        EXPECT_TRUE(windows->activated.empty());
    }
}

TEST(ApplicationWindows, DesktopEntriesComeForwardByClassUnlessDBusActivates) {
    TemporaryFolder home;
    const auto marker = home / "started";
    writeFile(home / "start.sh", "#!/bin/sh\ntouch '" + marker.string() + "'\n");
    fs::permissions(home / "start.sh", fs::perms::owner_all);
    const auto entry = [&](const std::string& id, const std::string& extra) {
        writeFile(home / id, "[Desktop Entry]\nType=Application\nName=Quill\nExec=" +
                                 (home / "start.sh").string() + " %U\n" + extra);
        return home / id;
    };
    auto windows = std::make_shared<FakeWindows>();
    windows->windows = {window(31, "start.sh", "Other"), window(30, "quill", "Quill")};
    ProcessWorkspace workspace(windows);
    {
        SCOPED_TRACE("StartupWMClass names the window");
        EXPECT_TRUE(workspace.openApplication(entry("a.desktop", "StartupWMClass=Quill\n")));
        EXPECT_EQ(windows->activated, std::vector<std::uint32_t>{30});
    }
    {
        SCOPED_TRACE("else the id, or the program's name");
        windows->activated.clear();
        EXPECT_TRUE(workspace.openApplication(entry("quill.desktop", "")));
        EXPECT_TRUE(workspace.openApplication(entry("b.desktop", "")));
        EXPECT_EQ(windows->activated, (std::vector<std::uint32_t>{30, 31}));
    }
    {
        SCOPED_TRACE("no window of its class: started through its entry");
        windows->activated.clear();
        EXPECT_TRUE(workspace.openApplication(entry("c.desktop", "StartupWMClass=Nothing\n")));
        EXPECT_TRUE(windows->activated.empty());
        EXPECT_TRUE(eventuallyExists(marker));
    }
    {
        SCOPED_TRACE("a window the launcher started for another entry is not this one's");
        // A Terminal=true entry runs in the terminal of the terminal's own entry: here a
        // program that stays, standing for the terminal that runs htop.
        const auto running = home / "running";
        writeFile(home / "stay.sh", "#!/bin/sh\necho $$ > '" + running.string() + ".part'; mv '" +
                                        running.string() + ".part' '" + running.string() +
                                        "'\nexec sleep 30\n");
        fs::permissions(home / "stay.sh", fs::perms::owner_all);
        writeFile(home / "htop.desktop", "[Desktop Entry]\nType=Application\nName=htop\nExec=" +
                                             (home / "stay.sh").string() + "\n");
        windows->windows.clear();
        ASSERT_TRUE(workspace.openApplication(home / "htop.desktop"));
        ASSERT_TRUE(eventuallyExists(running));
        std::ifstream written(running);
        int terminal = 0;
        written >> terminal;
        ASSERT_GT(terminal, 0);
        windows->windows = {window(41, "xterm", "XTerm"), window(40, "xterm", "XTerm")};
        windows->windows[1].pid = terminal;
        windows->activated.clear();
        EXPECT_TRUE(workspace.openApplication(entry("xterm.desktop", "")));
        EXPECT_EQ(windows->activated, std::vector<std::uint32_t>{41});
        ::kill(terminal, SIGTERM);
    }
    {
        SCOPED_TRACE("D-Bus activation brings it forward itself: no window is looked for");
        windows->activated.clear();
        workspace.openApplication(
            entry("quill2.desktop", "StartupWMClass=Quill\nDBusActivatable=true\n"));
        EXPECT_TRUE(windows->activated.empty());
    }
}

} // namespace
} // namespace orbitdeck
