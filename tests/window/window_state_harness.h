#pragma once

// A headless main window on virtual time with a fake catalog, launcher, presentation and
// folder watcher, and its own throwaway defaults file.

#include "platform/defaults_store.h"
#include "platform/scheduler.h"
#include "window/ambergrid_window.h"
#include "window/library_loader.h"
#include "window/stored_library_data.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <deque>
#include <future>
#include <mutex>

namespace orbitdeck::testing {

inline void ensureApplication() {
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "window_state_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // lives for the whole test run
}

class FakePresentation final : public LibraryPresentation {
public:
    bool isApplicationActive() const override { return active; }
    bool isWindowShown() const override { return shown; }
    bool isHiding() const override { return hiding; }
    bool hasWindow() const override { return window; }
    void hide(bool immediately) override {
        ++hides;
        lastHideImmediate = immediately;
        shown = false;
    }
    void show(bool) override {
        ++shows;
        shown = true;
    }
    void openWindow() override { ++opens; }
    void installTriggerHandlers(std::function<void()> action, LibraryHotKey key) override {
        toggle = std::move(action);
        hotKey = rawValue(key);
        ++installs;
    }

    bool active = true;
    bool shown = true;
    bool hiding = false;
    bool window = true;
    int hides = 0;
    int shows = 0;
    int opens = 0;
    int installs = 0;
    bool lastHideImmediate = false;
    QString hotKey;
    std::function<void()> toggle;
};

class FakeWatcher final : public FolderWatch {
public:
    void setOnChange(std::function<void()> action) override { onChange = std::move(action); }
    void start() override { ++starts; }

    std::function<void()> onChange;
    int starts = 0;
};

// Answers scans from the current list, or, when a test queued gates, waits for each in turn.
class FakeCatalog {
public:
    CatalogScan scan() {
        std::shared_future<CatalogScan> gate;
        {
            std::lock_guard lock(mutex_);
            ++scans_;
            if (gates_.empty())
                return CatalogScan{.apps = apps_, .complete = complete_};
            gate = gates_.front();
            gates_.pop_front();
        }
        return gate.get();
    }
    void setApps(std::vector<AppDescriptor> apps, bool complete = true) {
        std::lock_guard lock(mutex_);
        apps_ = std::move(apps);
        complete_ = complete;
    }
    // The next scan waits until the returned promise is fulfilled.
    std::shared_ptr<std::promise<CatalogScan>> gateNextScan() {
        auto promise = std::make_shared<std::promise<CatalogScan>>();
        std::lock_guard lock(mutex_);
        gates_.push_back(promise->get_future().share());
        return promise;
    }
    int scans() {
        std::lock_guard lock(mutex_);
        return scans_;
    }

private:
    std::mutex mutex_;
    std::vector<AppDescriptor> apps_;
    bool complete_ = true;
    std::deque<std::shared_future<CatalogScan>> gates_;
    int scans_ = 0;
};

inline AppDescriptor app(const std::string& name, const std::string& bundleID,
                         const std::string& path = {}) {
    return AppDescriptor(name, bundleID, path.empty() ? "/Applications/" + name + ".app" : path);
}

inline std::string appID(const std::string& bundleID) {
    return "bundle:" + bundleID;
}

// 2026-01-01T00:00:00Z, so stored dates are exact.
inline constexpr std::int64_t fixedUnixSeconds = 1767225600;

class WindowHarness {
public:
    using Extension = std::function<void(AmbergridWindow&)>;

    explicit WindowHarness(std::vector<Extension> extensions = {}) {
        ensureApplication();
        store = std::make_unique<DefaultsStore>(home.filePath("orbitdeck.plist"));
        extensions_ = std::move(extensions);
    }

    // Builds the window; tests seed the store and the catalog first.
    AmbergridWindow& make() {
        window = std::make_unique<AmbergridWindow>(WindowEnvironment{
            .scheduler = &scheduler,
            .defaults = store.get(),
            .scanCatalog = [this] { return scanCatalog ? scanCatalog() : catalog.scan(); },
            .openApplication =
                [this](const AppDescriptor& opened) {
                    launched.push_back(opened.id());
                    return launchSucceeds;
                },
            .scanAddedDates = scanAddedDates,
            .moveItem =
                [this](const std::filesystem::path& from, const std::filesystem::path& to) {
                    moves.emplace_back(from, to);
                    return moveError;
                },
            .wallClock =
                [this] {
                    return std::chrono::system_clock::time_point(
                        std::chrono::seconds(fixedUnixSeconds + clockOffsetSeconds));
                },
            .hasEnvironmentVariable =
                [this](const char* name) {
                    return testDefaultsSet && name == std::string_view("AMBERGRID_TEST_DEFAULTS");
                },
            .resolvedPath = [](const std::filesystem::path& path) { return path.string(); },
            .systemApplications = systemApplications,
            .presentation = &presentation,
            .watcher = &watcher,
            .searchSoftware = searchSoftware,
            .trash = trash,
            .places = places,
        });
        for (const Extension& extension : extensions_)
            extension(*window);
        return *window;
    }

    bool waitUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > milliseconds)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    // The first load, waited for.
    AmbergridWindow& load() {
        if (!window)
            make();
        window->loadLibrary();
        waitUntil([this] { return window->library()->loaded(); });
        return *window;
    }

    // A refresh, waited for until it has finished.
    void refresh(bool quietly) {
        bool done = false;
        window->loader().refreshApps(quietly, [&done] { done = true; });
        waitUntil([&done] { return done; });
    }

    QByteArray stored(const char* key) const {
        return store->dataValue(QString::fromLatin1(key)).value_or(QByteArray());
    }
    void setStored(const char* key, const QByteArray& bytes) {
        store->setValue(QString::fromLatin1(key), DefaultsValue{bytes});
    }

    std::vector<std::string> pageIDs() const {
        std::vector<std::string> ids;
        for (const LayoutItem& item : window->layout()->pageItems())
            ids.push_back(item.payload);
        return ids;
    }

    QTemporaryDir home;
    std::unique_ptr<DefaultsStore> store;
    VirtualScheduler scheduler;
    FakePresentation presentation;
    FakeWatcher watcher;
    FakeCatalog catalog;
    // Replaces the fake catalog, e.g. with a real scan of fixture folders.
    std::function<CatalogScan()> scanCatalog;
    std::vector<std::string> launched;
    bool launchSucceeds = true;
    std::filesystem::path systemApplications = "/System/Applications";
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> moves;
    std::optional<QString> moveError;
    std::int64_t clockOffsetSeconds = 0;
    bool testDefaultsSet = true;
    // Set before make() by tests that need them.
    AppTrash* trash = nullptr;
    AppPlaces* places = nullptr;
    std::function<bool(const QString&)> searchSoftware;
    // Runs on a worker thread.
    std::function<AppDates(const std::vector<AppDescriptor>&)> scanAddedDates;
    std::unique_ptr<AmbergridWindow> window;

private:
    std::vector<Extension> extensions_;
};

} // namespace orbitdeck::testing
