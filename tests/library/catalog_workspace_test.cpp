#include "library/composition_root.h"
#include "library/desktop_entry_launch.h"
#include "library/live_catalog.h"
#include "library/workspace_launcher.h"
#include "library/workspace_process.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>
#include <set>
#include <thread>

namespace orbitdeck {
namespace {

using namespace std::chrono_literals;
using testing::encodePlist;
using testing::TemporaryFolder;
using testing::writeFile;

std::filesystem::path makeRunnableBundle(const std::filesystem::path& bundle,
                                         const std::string& executable, const std::string& script,
                                         bool markExecutable = true) {
    writeFile(bundle / "Contents" / "Info.plist",
              encodePlist({{"CFBundlePackageType", "APPL"}, {"CFBundleExecutable", executable}},
                          testing::PlistFormat::binary));
    const auto program = bundle / "Contents" / "MacOS" / executable;
    writeFile(program, script);
    if (markExecutable)
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    return bundle;
}

bool eventuallyExists(const std::filesystem::path& path) {
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!std::filesystem::exists(path)) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class RecordingWorkspace final : public Workspace {
public:
    bool openApplication(const std::filesystem::path& bundle) override {
        opened.push_back(bundle);
        return answer;
    }
    std::vector<std::filesystem::path> opened;
    bool answer = true;
};

TEST(CatalogWorkspace, StartsTheBundleExecutableDetached) {
    TemporaryFolder home;
    ProcessWorkspace workspace;
    {
        SCOPED_TRACE("a well-formed bundle starts and records its launch");
        const auto marker = home / "launched";
        const auto bundle = makeRunnableBundle(home / "Good.app", "good",
                                               "#!/bin/sh\ntouch '" + marker.string() + "'\n");
        EXPECT_TRUE(workspace.openApplication(bundle));
        EXPECT_TRUE(eventuallyExists(marker));
    }
    {
        SCOPED_TRACE("bundles that cannot start answer false");
        EXPECT_FALSE(workspace.openApplication(home / "Missing.app"));
        EXPECT_FALSE(workspace.openApplication(
            makeRunnableBundle(home / "Plain.app", "plain", "#!/bin/sh\n", false)));
        EXPECT_FALSE(workspace.openApplication(
            makeRunnableBundle(home / "Interp.app", "interp", "#!/nonexistent/shell\n")));
        makeRunnableBundle(home / "Escape.app", "escape", "#!/bin/sh\n");
        writeFile(
            home / "Escape.app" / "Contents" / "Info.plist",
            encodePlist({{"CFBundleExecutable", "../MacOS/escape"}}, testing::PlistFormat::xml));
        EXPECT_FALSE(workspace.openApplication(home / "Escape.app"));
    }
}

std::set<std::string> zombieChildren() {
    std::set<std::string> zombies;
    const std::string parent = std::to_string(::getpid());
    for (const auto& process : std::filesystem::directory_iterator("/proc")) {
        std::ifstream status(process.path() / "status");
        std::string line, state, ppid;
        while (std::getline(status, line)) {
            if (line.starts_with("State:"))
                state = line;
            if (line.starts_with("PPid:"))
                ppid = line.substr(line.find_first_not_of(" \t", 5));
        }
        if (ppid == parent && state.find('Z') != std::string::npos)
            zombies.insert(process.path().filename());
    }
    return zombies;
}

// The text of a file once it has been written completely (the writer renames it into place).
std::string eventuallyRead(const std::filesystem::path& path) {
    if (!eventuallyExists(path))
        return {};
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(CatalogWorkspace, StartsDesktopEntriesThroughGio) {
    TemporaryFolder home;
    const auto record = home / "record.sh";
    // Writes its arguments and its open descriptors, then renames the file into place.
    writeFile(record, "#!/bin/sh\nout=\"$1\"; shift\n"
                      "{ printf '%s\\n' \"$@\"; echo fds; ls -l /proc/$$/fd; } > \"$out.part\"\n"
                      "mv \"$out.part\" \"$out\"\n");
    std::filesystem::permissions(record, std::filesystem::perms::owner_all);
    const auto entry = [&](const std::string& file, const std::string& exec) {
        const auto path = home / "applications" / file;
        writeFile(path,
                  "[Desktop Entry]\nType=Application\nName=" + file + "\nExec=" + exec + "\n");
        return path;
    };
    ProcessWorkspace workspace;
    // A descriptor of ours the application must not inherit.
    const int ours = ::open(home.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(ours, 0);
    {
        SCOPED_TRACE("field codes are removed and the program starts detached");
        const auto marker = home / "launched";
        EXPECT_TRUE(workspace.openApplication(
            entry("record.desktop", record.string() + " " + marker.string() + " --new %U %f %i")));
        const std::string written = eventuallyRead(marker);
        ASSERT_FALSE(written.empty());
        EXPECT_TRUE(written.starts_with("--new\nfds\n")) << written;
        // Our open folder does not reach the application.
        EXPECT_EQ(written.find("-> " + home.path().string() + "\n"), std::string::npos) << written;
        EXPECT_NE(written.find("-> " + marker.string() + ".part\n"), std::string::npos)
            << "the listing shows the descriptors' targets: " << written;
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!zombieChildren().empty() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
        EXPECT_TRUE(zombieChildren().empty());
    }
    ::close(ours);
    {
        SCOPED_TRACE("entries that cannot start answer false");
        EXPECT_FALSE(workspace.openApplication(entry("missing.desktop", "/nonexistent/program")));
        EXPECT_FALSE(workspace.openApplication(entry("unknown.desktop", "no-such-program-xyz %U")));
        writeFile(home / "applications/tryexec.desktop",
                  "[Desktop Entry]\nType=Application\nName=T\nTryExec=/nonexistent/x\nExec=" +
                      record.string() + "\n");
        EXPECT_FALSE(workspace.openApplication(home / "applications/tryexec.desktop"));
        EXPECT_FALSE(workspace.openApplication(home / "applications/gone.desktop"));
        writeFile(home / "applications/broken.desktop", "not an entry");
        EXPECT_FALSE(workspace.openApplication(home / "applications/broken.desktop"));
    }
    EXPECT_EQ(desktopEntryExecutable(entry("exe.desktop", record.string() + " %U")),
              record.string());
    EXPECT_FALSE(desktopEntryExecutable(home / "applications/gone.desktop"));
}

// A private session bus that can activate the given services (bus name → command).
class PrivateBus {
public:
    PrivateBus(const std::filesystem::path& folder,
               const std::vector<std::pair<std::string, std::string>>& services)
        : services_(folder / "services") {
        std::filesystem::create_directories(services_);
        // Written before the bus starts, which reads its service folder then.
        for (const auto& [name, exec] : services)
            writeFile(services_ / (name + ".service"),
                      "[D-BUS Service]\nName=" + name + "\nExec=" + exec + "\n");
        writeFile(folder / "bus.conf",
                  "<busconfig><type>session</type><listen>unix:tmpdir=" + folder.string() +
                      "</listen><servicedir>" + services_.string() +
                      "</servicedir><policy context=\"default\"><allow send_destination=\"*\" "
                      "eavesdrop=\"true\"/><allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                      "</policy></busconfig>\n");
        // Its own output only on the pipe read here: a daemon holding our standard error would
        // keep a death test waiting for that stream's end.
        const std::string command =
            "dbus-daemon --config-file='" + (folder / "bus.conf").string() +
            "' --fork --print-address=1 --print-pid=1 </dev/null 2>/dev/null";
        if (FILE* out = ::popen(command.c_str(), "r")) {
            char line[512];
            if (std::fgets(line, sizeof line, out))
                address_ = std::string(line, std::strcspn(line, "\n"));
            if (std::fgets(line, sizeof line, out))
                pid_ = std::atoi(line);
            ::pclose(out);
        }
    }
    ~PrivateBus() {
        if (pid_ > 0)
            ::kill(pid_, SIGTERM);
    }
    const std::string& address() const { return address_; }

private:
    std::filesystem::path services_;
    std::string address_;
    int pid_ = 0;
};

TEST(CatalogWorkspace, DBusActivatableEntriesStartThroughTheBusOrFail) {
    // Each launch in a fresh process: GIO keeps the first session bus it connects to. That
    // process runs this test again up to its launch; it finds the bus and the folder made here.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    constexpr const char* folderVariable = "ORBITDECK_TEST_BUS_FOLDER";
    constexpr const char* addressVariable = "ORBITDECK_TEST_BUS_ADDRESS";
    std::optional<TemporaryFolder> made;
    std::optional<PrivateBus> bus;
    std::filesystem::path home;
    std::string address;
    if (const char* given = std::getenv(folderVariable)) {
        home = given;
        address = std::getenv(addressVariable);
    } else {
        home = made.emplace().path();
        const auto record = home / "record.sh";
        writeFile(record, "#!/bin/sh\ntouch \"$1\"\n");
        std::filesystem::permissions(record, std::filesystem::perms::owner_all);
        address = bus.emplace(home,
                              std::vector<std::pair<std::string, std::string>>{
                                  {"org.example.Present",
                                   record.string() + " " + (home / "activated").string()}})
                      .address();
        ASSERT_FALSE(address.empty()) << "dbus-daemon did not start";
        ::setenv(folderVariable, home.c_str(), 1);
        ::setenv(addressVariable, address.c_str(), 1);
        for (const std::string name : {"org.example.Present", "org.example.Missing"}) {
            writeFile(home / "applications" / (name + ".desktop"),
                      "[Desktop Entry]\nType=Application\nName=" + name +
                          "\nDBusActivatable=true\nExec=" + record.string() + " " +
                          (home / ("exec-" + name)).string() + "\n");
        }
    }
    const auto launchOn = [&](const std::string& name) {
        ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        std::exit(launchDesktopEntry(home / "applications" / (name + ".desktop")) ? 0 : 1);
    };
    EXPECT_EXIT(launchOn("org.example.Present"), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(launchOn("org.example.Missing"), ::testing::ExitedWithCode(1), "")
        << "a name the bus cannot start is a failure to open";
    if (made) {
        EXPECT_TRUE(eventuallyExists(home / "activated")) << "the bus started the service";
        EXPECT_FALSE(std::filesystem::exists(home / "exec-org.example.Missing"));
        ::unsetenv(folderVariable);
        ::unsetenv(addressVariable);
    }
}

TEST(CatalogWorkspace, LauncherReportsTheWorkspaceAnswer) {
    auto workspace = std::make_shared<RecordingWorkspace>();
    WorkspaceLauncher launcher(workspace);
    EXPECT_TRUE(launcher.open("/Applications/Notes.app"));
    workspace->answer = false;
    EXPECT_FALSE(launcher.open("/Applications/Mail.app"));
    EXPECT_EQ(workspace->opened, (std::vector<std::filesystem::path>{"/Applications/Notes.app",
                                                                     "/Applications/Mail.app"}));
    EXPECT_FALSE(WorkspaceLauncher(nullptr).open("/Applications/Notes.app"));

    const auto root = makeLiveCompositionRoot();
    EXPECT_NE(root.catalog, nullptr);
    EXPECT_NE(root.launcher, nullptr);
}

} // namespace
} // namespace orbitdeck

namespace orbitdeck {
namespace {

TEST(CatalogWorkspace, GeneratedSampleRecordsItsLaunch) {
    TemporaryFolder home;
    ASSERT_TRUE(testing::makeSampleApps(home.path(), 3, false));
    const auto listing = LiveCatalog({.roots = {home / "Applications"}}).applications();
    ASSERT_EQ(listing.applications.size(), 3u);
    {
        SCOPED_TRACE("marker in the folder the environment names");
        const auto& app = listing.applications[0];
        const auto markers = home / "markers";
        ::setenv("ORBITDECK_LAUNCH_MARKERS", markers.c_str(), 1);
        EXPECT_TRUE(ProcessWorkspace().openApplication(app.bundleURL()));
        EXPECT_TRUE(eventuallyExists(markers / *app.bundleIdentifier()));
        ::unsetenv("ORBITDECK_LAUNCH_MARKERS");
    }
    {
        SCOPED_TRACE("marker next to the applications otherwise");
        const auto& app = listing.applications[1];
        EXPECT_TRUE(ProcessWorkspace().openApplication(app.bundleURL()));
        EXPECT_TRUE(eventuallyExists(home / "launch-markers" / *app.bundleIdentifier()));
    }
}

} // namespace
} // namespace orbitdeck
