#include "system/application_trash.h"

#include "platform/background_work.h"

#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThreadPool>

#include <atomic>
#include <future>
#include <memory>
#include <set>
#include <thread>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class FakeTrash final : public Trash {
public:
    TrashOutcome recycle(const fs::path& item) override {
        recycled.push_back(item);
        if (failing.contains(item))
            return {.trashedPath = std::nullopt, .error = "refused"};
        return {.trashedPath = "/trash" / item.filename(), .error = std::nullopt};
    }
    std::vector<fs::path> recycled;
    std::set<fs::path> failing;
};

class FakeRunning final : public RunningApplications {
public:
    std::vector<int> instances(const std::string&, const fs::path&) override {
        ++checks;
        return running;
    }
    void terminate(int pid) override {
        terminated.push_back(pid);
        if (quitsAtOnce)
            std::erase(running, pid);
    }
    std::vector<int> running;
    std::vector<int> terminated;
    bool quitsAtOnce = true;
    int checks = 0;
};

struct TrashFixture {
    explicit TrashFixture(bool deferred = false) {
        ApplicationTrash::Options options{
            .applicationFolders = {home / "Applications", home / "Other Apps"},
            .library = LeftoverFolders::standard(),
            .ownBundleIdentifier = "dev.orbitdeck.Launcher",
            .ownBundleURL = home / "Applications/Orbitdeck.app",
            .locale = QLocale::c(),
            .background = {},
        };
        if (deferred)
            options.background = [this](QObject*, std::function<void()> work,
                                        std::function<void()> then) {
                deferredWork.push_back(std::move(work));
                deferredThen.push_back(std::move(then));
            };
        service = std::make_unique<ApplicationTrash>(trash, running, scheduler, options);
    }
    AppDescriptor app(const std::string& name, std::optional<std::string> identifier) const {
        const fs::path bundle = home / "Applications" / (name + ".app");
        fs::create_directories(bundle / "Contents");
        return AppDescriptor(name, std::move(identifier), bundle);
    }

    TempHome home;
    FakeTrash trash;
    FakeRunning running;
    VirtualScheduler scheduler;
    std::unique_ptr<ApplicationTrash> service;
    std::vector<std::function<void()>> deferredWork;
    std::vector<std::function<void()>> deferredThen;
};

TEST(ApplicationTrash, OnlyApplicationsUsersInstalledMayBeTrashed) {
    TrashFixture f;
    const auto at = [&](const fs::path& bundle, std::optional<std::string> identifier) {
        fs::create_directories(bundle);
        return f.service->isUninstallable(AppDescriptor("X", std::move(identifier), bundle));
    };
    EXPECT_TRUE(at(f.home / "Applications/Tool.app", "com.example.tool"));
    EXPECT_TRUE(at(f.home / "Applications/Utilities/Tool.app", "com.example.tool2"));
    EXPECT_TRUE(at(f.home / "Other Apps/Tool.app", std::nullopt)) << "no identifier is needed";
    EXPECT_FALSE(at(f.home / "System/Applications/Tool.app", "com.example.tool"));
    EXPECT_FALSE(at(f.home / "Elsewhere/Tool.app", "com.example.tool"));
    EXPECT_FALSE(at(f.home / "ApplicationsX/Tool.app", "com.example.tool"));
    EXPECT_FALSE(at(f.home / "Applications/Mail.app", "COM.Apple.mail"));
    EXPECT_FALSE(at(f.home / "Applications/Self.app", "DEV.orbitdeck.launcher"));
    EXPECT_FALSE(at(f.home / "Applications/./Orbitdeck.app/", std::nullopt)) << "this program";
    EXPECT_FALSE(f.service->isUninstallable(
        AppDescriptor("Gone", "com.example.gone", f.home / "Applications/Gone.app")));
    {
        SCOPED_TRACE("a link is judged by where it leads");
        fs::create_directories(f.home / "Elsewhere/Real.app");
        fs::create_directory_symlink(f.home / "Elsewhere/Real.app",
                                     f.home / "Applications/Link.app");
        EXPECT_FALSE(f.service->isUninstallable(
            AppDescriptor("Link", "com.example.link", f.home / "Applications/Link.app")));
        fs::create_directory_symlink(f.home / "Applications", f.home / "Shortcut");
        EXPECT_TRUE(f.service->isUninstallable(
            AppDescriptor("Tool", "com.example.tool", f.home / "Shortcut/Tool.app")));
    }
}

TEST(ApplicationTrash, FindsLeftoversInTheXdgFoldersOnce) {
    TrashFixture f;
    const std::string id = "com.example.Notes";
    for (const char* leftover :
         {".cache/com.example.Notes/c", ".config/com.example.Notes.plist",
          ".local/share/com.example.Notes/x", ".var/app/com.example.Notes/x",
          ".local/state/com.example.Notes.savedState/x", ".local/share/WebKit/com.example.Notes/x",
          ".local/state/Logs/com.example.Notes/x", ".local/share/Notes/x",
          ".config/autostart/com.example.Notes.helper.desktop",
          ".config/autostart/com.example.notes.desktop",
          ".local/share/Group Containers/ABC.com.example.Notes/x",
          ".local/share/Group Containers/other/x"})
        writeTextFile(f.home / leftover, "x");
    const AppDescriptor notes = f.app("Notes", id);
    const std::vector<fs::path> expected{
        f.home / ".cache/com.example.Notes",
        f.home / ".config/com.example.Notes.plist",
        f.home / ".local/share/com.example.Notes",
        f.home / ".var/app/com.example.Notes",
        f.home / ".local/state/com.example.Notes.savedState",
        f.home / ".local/share/WebKit/com.example.Notes",
        f.home / ".local/state/Logs/com.example.Notes",
        f.home / ".local/share/Notes",
        f.home / ".config/autostart/com.example.Notes.helper.desktop",
        f.home / ".local/share/Group Containers/ABC.com.example.Notes",
    };
    EXPECT_EQ(f.service->leftoverURLs(notes), expected)
        << "in order; the agent named in another letter case is not one";
    writeTextFile(f.home / ".local/share/Cookies/com.example.Notes.binarycookies", "x");
    EXPECT_EQ(f.service->leftoverURLs(notes), expected) << "the first scan is reused";
    f.service->leftoverCache().erase(notes.id());
    EXPECT_EQ(f.service->leftoverURLs(notes).size(), expected.size() + 1);

    EXPECT_TRUE(f.service->leftoverURLs(f.app("Clean", "com.example.clean")).empty());
    EXPECT_TRUE(f.service->leftoverURLs(f.app("Mail", "com.apple.Mail")).empty());
    EXPECT_TRUE(f.service->leftoverURLs(f.app("Bare", std::nullopt)).empty());
    {
        SCOPED_TRACE("identifiers and names that would reach outside their folder find nothing");
        writeTextFile(f.home / ".config/x", "x");
        EXPECT_TRUE(f.service->leftoverURLs(f.app("Evil", "..")).empty());
        EXPECT_TRUE(f.service->leftoverURLs(f.app("Evil2", "../.config")).empty());
        const AppDescriptor dots("Dots", "com.example.dots", f.home / "Applications/...app");
        EXPECT_TRUE(f.service->leftoverURLs(dots).empty());
    }
}

TEST(ApplicationTrash, LeftoversAreOnlyEverTheApplicationsOwn) {
    TrashFixture f;
    for (const char* shared :
         {".local/share/applications/firefox.desktop", ".local/share/keyrings/login.keyring",
          ".local/share/icons/hicolor/index.theme", ".local/share/Trash/files/x",
          ".local/share/orbitdeck/darwin-user/x", ".config/orbitdeck/orbitdeck.plist",
          ".cache/orbitdeck/x", ".local/share/WebKit/com.example.web/x",
          ".config/autostart/orbitdeck.desktop", ".config/autostart/evolution-alarm.desktop",
          ".config/autostart/desktop-helper.desktop",
          ".config/autostart/dev.orbitdeck.Launcher.desktop"})
        writeTextFile(f.home / shared, "x");
    const auto leftovers = [&](const std::string& bundle, const std::string& id) {
        return f.service->leftoverURLs(f.app(bundle, id));
    };
    {
        SCOPED_TRACE("a bundle named after a shared folder does not offer that folder");
        for (const char* name : {"applications", "keyrings", "icons", "Trash", "orbitdeck"})
            EXPECT_TRUE(leftovers(name, std::string("com.example.") + name).empty()) << name;
    }
    {
        SCOPED_TRACE("nor does an identifier naming one");
        for (const char* id : {"applications", "keyrings", "orbitdeck", "WebKit", "Trash"})
            EXPECT_TRUE(leftovers(std::string("App") + id, id).empty()) << id;
    }
    {
        SCOPED_TRACE("an identifier without a dot matches no listing");
        EXPECT_TRUE(leftovers("E", "e").empty());
        EXPECT_TRUE(leftovers("Desktop", "desktop").empty());
    }
    {
        SCOPED_TRACE("a listing entry is the identifier or the identifier and a separator");
        for (const char* entry : {"org.example.tool.desktop", "org.example.tool-helper.desktop",
                                  "org.example.tool_agent.desktop", "org.example.toolbox.desktop",
                                  "xorg.example.tool.desktop"})
            writeTextFile(f.home / ".config/autostart" / entry, "x");
        for (const char* entry : {"TEAM.org.example.tool", "group.org.example.tool.shared",
                                  "org.example.toolbox", "TEAM.org.example.toolbox"})
            writeTextFile(f.home / ".local/share/Group Containers" / entry / "x", "x");
        const fs::path autostart = f.home / ".config/autostart";
        const fs::path groups = f.home / ".local/share/Group Containers";
        std::vector<fs::path> found = leftovers("Tool", "org.example.tool");
        std::ranges::sort(found);
        EXPECT_EQ(found, (std::vector<fs::path>{
                             autostart / "org.example.tool-helper.desktop",
                             autostart / "org.example.tool.desktop",
                             autostart / "org.example.tool_agent.desktop",
                             groups / "TEAM.org.example.tool",
                             groups / "group.org.example.tool.shared",
                         }));
    }
    {
        SCOPED_TRACE("our own autostart entry is never another application's");
        EXPECT_TRUE(leftovers("Dev", "dev.orbitdeck").empty());
    }
    {
        SCOPED_TRACE("a folder that holds a shared one is no leftover either");
        ::setenv("XDG_CACHE_HOME", (f.home / ".local").c_str(), 1);
        ApplicationTrash::Options options{
            .applicationFolders = {f.home / "Applications"},
            .library = LeftoverFolders::standard(),
            .ownBundleIdentifier = std::nullopt,
            .ownBundleURL = std::nullopt,
            .locale = QLocale::c(),
            .background = {},
        };
        ApplicationTrash service(f.trash, f.running, f.scheduler, options);
        EXPECT_TRUE(service.leftoverURLs(f.app("Share", "share")).empty());
        writeTextFile(f.home / ".local/share/com.example.real/x", "x");
        EXPECT_EQ(service.leftoverURLs(f.app("Real", "com.example.real")),
                  std::vector<fs::path>{f.home / ".local/share/com.example.real"})
            << "the application's own folder is still found";
    }
}

TEST(ApplicationTrash, MeasuresABundleOnce) {
    TrashFixture f;
    const AppDescriptor tool = f.app("Tool", "com.example.tool");
    writeTextFile(tool.bundleURL() / "Contents/MacOS/Tool", std::string(10000, 'x'));
    const std::optional<QString> size = f.service->formattedSize(tool.bundleURL());
    ASSERT_TRUE(size);
    EXPECT_TRUE(size->endsWith(QStringLiteral(" KB"))) << size->toStdString();
    writeTextFile(tool.bundleURL() / "Contents/MacOS/More", std::string(100000, 'x'));
    EXPECT_EQ(f.service->formattedSize(tool.bundleURL()), size);
    EXPECT_FALSE(f.service->formattedSize(f.home / "Applications/Missing.app"));
    EXPECT_FALSE(f.service->sizeCache().contains(f.home / "Applications/Missing.app"));

    const QLocale c = QLocale::c();
    EXPECT_EQ(formatFileByteCount(0, c), "Zero KB");
    EXPECT_EQ(formatFileByteCount(1, c), "1 byte");
    EXPECT_EQ(formatFileByteCount(999, c), "999 bytes");
    EXPECT_EQ(formatFileByteCount(1000, c), "1 KB");
    EXPECT_EQ(formatFileByteCount(1500, c), "2 KB");
    EXPECT_EQ(formatFileByteCount(999'999, c), "1 MB");
    EXPECT_EQ(formatFileByteCount(1'250'000, c), "1.3 MB");
    EXPECT_EQ(formatFileByteCount(10'000'000, c), "10 MB");
    EXPECT_EQ(formatFileByteCount(1'234'567'890, c), "1.23 GB");
    EXPECT_EQ(formatFileByteCount(1'500'000'000, QLocale(QLocale::German)), "1,5 GB");
}

TEST(ApplicationTrash, AsksRunningCopiesToQuitBeforeTheMove) {
    TrashFixture f;
    std::optional<TrashOutcome> result;
    const auto done = [&](TrashOutcome outcome) { result = std::move(outcome); };
    const AppDescriptor tool = f.app("Tool", "com.example.tool");
    {
        SCOPED_TRACE("copies that quit at once: moved without waiting");
        f.running.running = {41, 42};
        f.service->moveToTrash(tool, done);
        EXPECT_EQ(f.running.terminated, (std::vector<int>{41, 42}));
        ASSERT_TRUE(result);
        EXPECT_EQ(result->trashedPath, fs::path("/trash/Tool.app"));
        EXPECT_EQ(f.trash.recycled, std::vector<fs::path>{tool.bundleURL()});
    }
    {
        SCOPED_TRACE("a copy that keeps running: moved after 20 checks, about 3 s");
        result.reset();
        f.running = FakeRunning{};
        f.running.running = {7};
        f.running.quitsAtOnce = false;
        f.service->moveToTrash(tool, done);
        f.scheduler.advance(2850ms);
        EXPECT_FALSE(result);
        EXPECT_EQ(f.running.checks, 1 + 20) << "one listing to ask, then 20 checks";
        f.scheduler.advance(150ms);
        ASSERT_TRUE(result);
        EXPECT_EQ(f.running.terminated, std::vector<int>{7}) << "asked once, never forced";
    }
    {
        SCOPED_TRACE("without an identifier nobody is asked; a refusal comes back as the error");
        result.reset();
        f.running = FakeRunning{};
        const AppDescriptor bare = f.app("Bare", std::nullopt);
        f.trash.failing.insert(bare.bundleURL());
        f.service->moveToTrash(bare, done);
        EXPECT_EQ(f.running.checks, 0);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->error, "refused");
    }
    {
        SCOPED_TRACE("leftovers: errors are dropped, an empty list finishes at once");
        f.trash.recycled.clear();
        f.trash.failing = {"/a"};
        bool finished = false;
        f.service->recycleItemsToTrash({"/a", "/b"}, [&] { finished = true; });
        EXPECT_TRUE(finished);
        EXPECT_EQ(f.trash.recycled, (std::vector<fs::path>{"/a", "/b"}));
        finished = false;
        f.service->recycleItemsToTrash({}, [&] { finished = true; });
        EXPECT_TRUE(finished);
        EXPECT_EQ(f.trash.recycled.size(), 2u);
    }
}

TEST(ApplicationTrash, MovesFilesAwayFromTheMainThread) {
    {
        SCOPED_TRACE("the move and the leftovers are handed to the background");
        TrashFixture f(true);
        std::optional<TrashOutcome> result;
        f.service->moveToTrash(f.app("Tool", "com.example.tool"),
                               [&](TrashOutcome outcome) { result = std::move(outcome); });
        bool leftoversDone = false;
        f.service->recycleItemsToTrash({"/a"}, [&] { leftoversDone = true; });
        ASSERT_EQ(f.deferredWork.size(), 2u);
        EXPECT_TRUE(f.trash.recycled.empty());
        for (auto& work : f.deferredWork)
            work();
        EXPECT_EQ(f.trash.recycled.size(), 2u);
        EXPECT_FALSE(result);
        for (auto& then : f.deferredThen)
            then();
        EXPECT_TRUE(result && !result->error);
        EXPECT_TRUE(leftoversDone);
    }
    {
        SCOPED_TRACE("the thread pool runs the work, the main thread what follows");
        QObject context;
        const auto main = std::this_thread::get_id();
        std::atomic<bool> workedElsewhere = false;
        bool followed = false;
        runInBackground(
            &context, [&] { workedElsewhere = std::this_thread::get_id() != main; },
            [&] { followed = std::this_thread::get_id() == main; });
        QElapsedTimer timer;
        timer.start();
        while (!followed && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        EXPECT_TRUE(followed);
        EXPECT_TRUE(workedElsewhere);
    }
    {
        SCOPED_TRACE("what follows runs from the event loop, never inside the call");
        QObject context;
        int followed = 0;
        for (int round = 0; round < 1000; ++round) {
            std::atomic<bool> worked = false;
            runInBackground(
                &context, [&worked] { worked = true; }, [&] { ++followed; });
            // The pool's threads are warm, so the work often ends before the call returns; what
            // follows must still wait for the event loop.
            while (!worked)
                std::this_thread::yield();
            EXPECT_EQ(followed, round) << "round " << round;
            QElapsedTimer timer;
            timer.start();
            while (followed == round && timer.elapsed() < 10000)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
        EXPECT_EQ(followed, 1000);
    }
    {
        SCOPED_TRACE("nothing follows once the context is gone");
        auto context = std::make_unique<QObject>();
        std::promise<void> gate;
        bool followed = false;
        runInBackground(
            context.get(), [opened = gate.get_future().share()] { opened.wait(); },
            [&] { followed = true; });
        context.reset();
        gate.set_value();
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
        EXPECT_FALSE(followed);
    }
}

} // namespace
} // namespace orbitdeck
