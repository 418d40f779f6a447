#include "library/composition_root.h"
#include "library/live_catalog.h"
#include "library/workspace_launcher.h"
#include "library/workspace_process.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
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
