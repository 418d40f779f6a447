#pragma once

#include "window/window_seams.h"

#include <QObject>

#include <cstdint>
#include <functional>

namespace orbitdeck {

class AmbergridWindow;

// The first load and the refreshes of the application list. Scans run off the main thread;
// their results are applied on it, and a result older than the last one applied is dropped.
class LibraryLoader : public QObject {
    Q_OBJECT

public:
    static constexpr int guideDelayMilliseconds = 450;
    static constexpr const char* utilitiesPrefix = "/System/Applications/Utilities/";
    static constexpr const char* testDefaultsVariable = "AMBERGRID_TEST_DEFAULTS";

    LibraryLoader(AmbergridWindow& window, QObject* parent = nullptr);

    // The first load; done runs on the main thread when it has finished.
    void loadLibrary(std::function<void()> done = {});
    // Rescans and applies the list; done runs when finished or skipped.
    void refreshApps(bool quietly, std::function<void()> done = {});
    void applyRefreshedApps(std::vector<AppDescriptor> apps);

    // Decoding helpers for the stored launch data (lenient: anything unreadable is empty).
    void readStoredLibraryData();

signals:
    void loadFinished();

private:
    using ScanHandler = std::function<void(CatalogScan)>;
    // Runs the catalog off the main thread; handler runs on the main thread unless a newer
    // scan was applied meanwhile.
    void scan(ScanHandler handler);
    void finishFirstLoad(CatalogScan scan, std::function<void()> done);
    void restoreLayoutFromStore();
    void gatherUtilitiesOnce();
    void scheduleGuide();
    void startWatcher();
    void announceNewApps(const std::vector<AppDescriptor>& added);
    void pruneLaunchData(const std::vector<AppDescriptor>& apps);
    void awaitAddedDates(std::function<void()> next);

    AmbergridWindow& window_;
    std::uint64_t nextGeneration_ = 1;
    std::uint64_t appliedGeneration_ = 0;
};

} // namespace orbitdeck
