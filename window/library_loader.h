#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "library/library_sort_added_dates.h"
#include "window/library_state.h"
#include "window/window_seams.h"
#endif

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_set>

namespace orbitdeck {

class AmbergridWindow;

// The first load and the refreshes of the application list. Scans run off the main thread;
// their results are applied on it, and a result older than the last one applied is dropped.
class LibraryLoader : public QObject {
    Q_OBJECT

public:
    static constexpr int guideDelayMilliseconds = 450;
    static constexpr const char* testDefaultsVariable = "AMBERGRID_TEST_DEFAULTS";

    LibraryLoader(AmbergridWindow& window, QObject* parent = nullptr);

    // The first load; done runs on the main thread when it has finished.
    void loadLibrary(std::function<void()> done = {});
    // Rescans and applies the list; done runs when finished or skipped.
    void refreshApps(bool quietly, std::function<void()> done = {});

    // Reads the stored dates, counts and hidden set (anything unreadable is empty).
    void readStoredLibraryData();
    // Takes in one of them when another writer (a second copy, a sync tool) changed it, so the
    // next write here carries that change rather than writing over it.
    void takeInStoredData(const QString& key);
    // Rescans the dates added off the main thread; only the latest scan started is applied.
    void refreshAddedDates(std::function<void()> done = {});
    // Restores the layout from the stored bytes against the current list. Bytes that cannot
    // be read are first kept aside, so the next edit cannot destroy the user's arrangement.
    void restoreLayoutFromStore(bool animated);

signals:
    void loadFinished();

private:
    // A scan with what is derived from it off the main thread: the search index for the
    // hidden set of when the scan began and, on the first load, the system utilities.
    struct ScannedLibrary {
        CatalogScan catalog;
        std::shared_ptr<const AppSearchIndex> index;
        HiddenIDs indexedHidden;
        std::set<std::string> utilityIDs;
    };
    using ScanHandler = std::function<void(ScannedLibrary, bool stale)>;
    // Runs the catalog off the main thread; handler runs on the main thread unless a newer
    // scan was applied meanwhile.
    void scan(bool findUtilities, ScanHandler handler);
    void finishFirstLoad(ScannedLibrary scanned, std::function<void()> done);
    void gatherUtilitiesOnce();
    void scheduleGuide();
    void startWatcher();
    void announceNewApps(const std::vector<AppDescriptor>& added);
    void pruneLaunchData(const std::vector<AppDescriptor>& apps);
    // Whether the scan saw every folder there is: nothing timed out or was listed in part, and
    // no folder listed before (by this run or an earlier one) is absent. Remembers the folders
    // it listed.
    bool sawEverything(const CatalogScan& scan);

    AmbergridWindow& window_;
    std::uint64_t nextGeneration_ = 1;
    std::uint64_t appliedGeneration_ = 0;
    AddedDatesScans datesScans_;
    // Applications an incomplete scan missed since the last complete one.
    std::unordered_set<std::string> unseenIDs_;
};

} // namespace orbitdeck
