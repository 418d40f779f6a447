#include "window/library_loader.h"

#include "catalog-core/desktop_entry.h"
#include "catalog-core/scanned_desktop_entries.h"
#include "platform/background_work.h"
#include "platform/freed_memory.h"
#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"
#include "window/stored_library_data.h"
#include "window/window_log.h"

#include <QScopeGuard>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <unordered_set>

namespace orbitdeck {

namespace {

// A snapshot that holds nothing on purpose is not damage.
bool isEmptySnapshot(const QByteArray& data) {
    const auto json = nlohmann::json::parse(data.constBegin(), data.constEnd(), nullptr, false);
    return json.is_object() && json.contains("items") && json["items"].is_array() &&
           json["items"].empty() && json.contains("folders") && json["folders"].is_array() &&
           json["folders"].empty();
}

bool sameApps(const std::vector<AppDescriptor>& a, const std::vector<AppDescriptor>& b) {
    return a == b;
}

// The system's utilities: bundles under the system applications' Utilities folder (symbolic
// links resolved) and desktop entries of the main category System.
std::set<std::string>
utilityIDs(const std::vector<AppDescriptor>& apps,
           const std::function<std::string(const std::filesystem::path&)>& resolve,
           const std::filesystem::path& systemApplications) {
    const auto resolved = [&resolve](const std::filesystem::path& path) {
        return resolve ? resolve(path) : path.string();
    };
    std::string prefix = resolved(systemApplications);
    if (!prefix.ends_with('/'))
        prefix += '/';
    prefix += "Utilities/";
    std::set<std::string> utilities;
    for (const AppDescriptor& app : apps) {
        if (isDesktopEntryPath(app.bundleURL())) {
            // The scan that listed the entry read its categories already.
            std::optional<std::vector<std::string>> categories;
            if (auto scanned = scannedDesktopEntry(app.bundleURL().native()))
                categories = std::move(scanned->categories);
            else if (auto entry = readDesktopEntry(app.bundleURL(), {}))
                categories = std::move(entry->categories);
            if (categories && std::ranges::find(*categories, "System") != categories->end())
                utilities.insert(app.id());
        } else if (resolved(app.bundleURL()).starts_with(prefix)) {
            utilities.insert(app.id());
        }
    }
    return utilities;
}

void finish(const std::function<void()>& done) {
    if (done)
        done();
}

} // namespace

LibraryLoader::LibraryLoader(AmbergridWindow& window, QObject* parent)
    : QObject(parent)
    , window_(window) {
    connect(window_.settings(), &WindowSettings::dataChanged, this,
            &LibraryLoader::takeInStoredData);
}

void LibraryLoader::readStoredLibraryData() {
    WindowSettings& settings = *window_.settings();
    LibraryState& library = *window_.library();
    library.setRecentUse(decodeRecentUse(settings.data(WindowSettings::lastOpenedKey)));
    library.setLaunchCounts(decodeLaunchCounts(settings.data(WindowSettings::countKey)));
    library.assignHidden(decodeHiddenIDs(settings.data(WindowSettings::hiddenKey)));
}

void LibraryLoader::takeInStoredData(const QString& key) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const WindowSettings& settings = *window_.settings();
    LibraryState& library = *window_.library();
    // Our own writes store what memory holds: nothing to take in.
    if (key == QLatin1String(WindowSettings::hiddenKey)) {
        const QByteArray stored = settings.data(WindowSettings::hiddenKey);
        if (stored != encodeHiddenIDs(library.hiddenIDs()))
            library.assignHidden(decodeHiddenIDs(stored));
    } else if (key == QLatin1String(WindowSettings::countKey)) {
        const QByteArray stored = settings.data(WindowSettings::countKey);
        if (stored != encodeLaunchCounts(library.launchCounts()))
            library.setLaunchCounts(decodeLaunchCounts(stored));
    } else if (key == QLatin1String(WindowSettings::lastOpenedKey)) {
        const QByteArray stored = settings.data(WindowSettings::lastOpenedKey);
        if (stored != encodeRecentUse(library.recentUse()))
            library.setRecentUse(decodeRecentUse(stored));
    }
}

void LibraryLoader::scan(bool findUtilities, ScanHandler handler) {
    const std::uint64_t generation = nextGeneration_++;
    const WindowEnvironment& environment = window_.environment();
    std::function<ScannedLibrary()> work =
        [catalog = environment.scanCatalog, hidden = window_.library()->hiddenIDs(), findUtilities,
         resolve = environment.resolvedPath, system = environment.systemApplications] {
            ScannedLibrary scanned{.catalog = catalog ? catalog() : CatalogScan{},
                                   .index = nullptr,
                                   .indexedHidden = hidden,
                                   .utilityIDs = {}};
            scanned.index = LibraryState::makeIndex(scanned.catalog.apps, hidden);
            if (findUtilities)
                scanned.utilityIDs = utilityIDs(scanned.catalog.apps, resolve, system);
            return scanned;
        };
    runInBackground(this, std::move(work),
                    [this, generation, handler = std::move(handler)](ScannedLibrary scanned) {
                        // A slow scan never overwrites a newer list.
                        if (generation < appliedGeneration_)
                            return handler(
                                ScannedLibrary{.catalog = {.apps = {}, .complete = false},
                                               .index = nullptr,
                                               .indexedHidden = {},
                                               .utilityIDs = {}},
                                /*stale=*/true);
                        appliedGeneration_ = generation;
                        handler(std::move(scanned), false);
                    });
}

void LibraryLoader::loadLibrary(std::function<void()> done) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    readStoredLibraryData();
    scan(/*findUtilities=*/true,
         [this, done = std::move(done)](ScannedLibrary scanned, bool stale) mutable {
             if (stale)
                 return finish(done);
             finishFirstLoad(std::move(scanned), std::move(done));
         });
}

bool LibraryLoader::sawEverything(const CatalogScan& scan) {
    WindowSettings& settings = *window_.settings();
    const QByteArray stored = settings.data(WindowSettings::listedFoldersKey);
    const std::optional<std::set<std::string>> remembered = decodeTextSet(stored);
    // Without a memory (a store from before it was kept), any absent folder may be a volume
    // not mounted yet.
    const bool sawAll =
        scan.complete && std::ranges::none_of(scan.absentFolders, [&](const std::string& folder) {
            return !remembered || remembered->contains(folder);
        });
    std::set<std::string> listed = remembered.value_or(std::set<std::string>());
    listed.insert(scan.listedFolders.begin(), scan.listedFolders.end());
    if (const auto encoded = encodeTextSet(listed); encoded && *encoded != stored)
        settings.setData(WindowSettings::listedFoldersKey, *encoded);
    return sawAll;
}

void LibraryLoader::finishFirstLoad(ScannedLibrary scanned, std::function<void()> done) {
    sawEverything(scanned.catalog);
    LibraryState& library = *window_.library();
    library.setApps(std::move(scanned.catalog.apps), std::move(scanned.index),
                    scanned.indexedHidden);
    library.setUtilityIDs(std::move(scanned.utilityIDs));
    const auto rest = [this, done = std::move(done)] {
        restoreLayoutFromStore(false);
        gatherUtilitiesOnce();
        window_.library()->setLoaded();
        scheduleGuide();
        startWatcher();
        emit loadFinished();
        finish(done);
    };
    if (window_.settings()->sortValue() == LibrarySort::added)
        refreshAddedDates(rest);
    else
        rest();
}

void LibraryLoader::restoreLayoutFromStore(bool animated) {
    WindowSettings& settings = *window_.settings();
    const QByteArray stored = settings.data(WindowSettings::layoutKey);
    LibraryLayout layout = window_.restoredLayout(stored);
    if (!stored.isEmpty()) {
        LibraryLayout alone{.pageID = layout.pageID, .graph = std::nullopt};
        alone.restore(std::string_view(stored.constData(), static_cast<std::size_t>(stored.size())),
                      {});
        const bool unreadable =
            !alone.graph || (alone.pageItems().empty() && alone.graph->folders().empty() &&
                             !isEmptySnapshot(stored));
        if (unreadable)
            qCWarning(windowLog) << "the stored layout cannot be read; its bytes are kept aside";
        if (unreadable && settings.data(WindowSettings::unreadableLayoutKey) != stored)
            settings.setData(WindowSettings::unreadableLayoutKey, stored);
    }
    const bool motion = animated && settings.motionAllowed();
    window_.layout()->setLayout(std::move(layout),
                                motion ? LayoutAnimation::refresh : LayoutAnimation::none);
}

void LibraryLoader::gatherUtilitiesOnce() {
    WindowSettings& settings = *window_.settings();
    const std::set<std::string>& utilities = window_.library()->utilityIDs();
    if (settings.systemUtilitiesSeeded() || utilities.empty())
        return;
    LayoutTextSet ids(utilities.begin(), utilities.end());
    window_.updateLayout(
        true, [&ids](LibraryLayout& layout) { return layout.gatherIntoUtilitiesFolder(ids); });
    settings.setSystemUtilitiesSeeded(true);
}

void LibraryLoader::scheduleGuide() {
    const auto& hasVariable = window_.environment().hasEnvironmentVariable;
    if (window_.settings()->onboarded() || (hasVariable && hasVariable(testDefaultsVariable)))
        return;
    window_.scheduler().schedule(std::chrono::milliseconds(guideDelayMilliseconds), this,
                                 [this] { window_.lifecycle()->setOnboardingOpen(true); });
}

void LibraryLoader::startWatcher() {
    FolderWatch* watcher = window_.environment().watcher;
    if (!watcher)
        return;
    watcher->setOnChange([this] { refreshApps(false); });
    watcher->start();
}

void LibraryLoader::refreshApps(bool quietly, std::function<void()> done) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!window_.library()->loaded())
        return finish(done);
    scan(/*findUtilities=*/false, [this, quietly, done = std::move(done)](ScannedLibrary scanned,
                                                                          bool stale) {
        // A scan's readers and their threads freed what they read, in arenas of their own: handed
        // back when done, however it ends (the first activation of a run always rescans).
        const auto released = qScopeGuard([] { releaseFreedMemory(); });
        if (stale)
            return finish(done);
        const CatalogScan& result = scanned.catalog;
        // A folder away (an unplugged volume, renamed for a moment) or a root that timed out
        // looks like uninstalled applications: never prune then.
        const bool complete = sawEverything(result);
        const std::vector<AppDescriptor>& current = window_.library()->apps();
        if (!quietly && sameApps(result.apps, current))
            return finish(done);
        std::unordered_set<std::string> known;
        for (const AppDescriptor& app : current)
            known.insert(app.id());
        std::vector<AppDescriptor> added;
        for (const AppDescriptor& app : result.apps) {
            // Back after a scan that could not see it: not new.
            if (!known.contains(app.id()) && !unseenIDs_.contains(app.id()))
                added.push_back(app);
        }
        if (complete) {
            unseenIDs_.clear();
        } else {
            for (const AppDescriptor& app : result.apps)
                known.erase(app.id());
            unseenIDs_.insert(known.begin(), known.end());
        }
        window_.library()->setApps(result.apps, std::move(scanned.index), scanned.indexedHidden);
        restoreLayoutFromStore(true);
        if (!quietly)
            announceNewApps(added);
        if (complete)
            pruneLaunchData(result.apps);
        finish(done);
    });
}

void LibraryLoader::announceNewApps(const std::vector<AppDescriptor>& added) {
    if (added.size() == 1) {
        window_.showToast(localizedFormat(QStringLiteral("New app: “%@”"), window_.language(),
                                          {QString::fromStdString(added.front().displayName())}));
    } else if (added.size() > 1) {
        window_.showToast(localizedFormat(QStringLiteral("%lld new apps added"), window_.language(),
                                          {static_cast<qint64>(added.size())}));
    }
}

void LibraryLoader::pruneLaunchData(const std::vector<AppDescriptor>& apps) {
    LibraryState& library = *window_.library();
    std::unordered_set<std::string> valid;
    for (const AppDescriptor& app : apps)
        valid.insert(app.id());
    RecentUse dates = library.recentUse();
    LaunchCounts counts = library.launchCounts();
    std::erase_if(dates, [&](const auto& entry) { return !valid.contains(entry.first); });
    std::erase_if(counts, [&](const auto& entry) { return !valid.contains(entry.first); });
    if (dates.size() == library.recentUse().size() &&
        counts.size() == library.launchCounts().size())
        return;
    library.setRecentUse(std::move(dates));
    library.setLaunchCounts(std::move(counts));
    window_.storeLaunchData();
}

void LibraryLoader::refreshAddedDates(std::function<void()> done) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto scanDates = window_.environment().scanAddedDates;
    if (!scanDates)
        return finish(done);
    const std::uint64_t scan = datesScans_.begin();
    runInBackground(
        this, [scanDates, apps = window_.library()->apps()] { return scanDates(apps); },
        [this, scan, done = std::move(done)](AppDates result) {
            // Only the most recently started scan is applied.
            AppDates dates;
            if (datesScans_.finish(scan, std::move(result), dates))
                window_.library()->setAddedDates(std::move(dates));
            finish(done);
        });
}

} // namespace orbitdeck
