#include "onboarding/library_organizer.h"

#include "onboarding/backup_file_chooser.h"
#include "onboarding/launchpad_conversion.h"
#include "onboarding/sorted_items.h"
#include "platform/background_work.h"
#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"

#include <QUuid>

#include <unordered_set>

namespace orbitdeck {

namespace {

std::string newFolderID() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
}

} // namespace

LibraryOrganizer::LibraryOrganizer(AmbergridWindow& window, BackupFileChooser& files,
                                   QObject* parent)
    : QObject(parent)
    , window_(window)
    , chooser_(files)
    , readLaunchpad_([] { return LaunchpadImporter::readLayout(); }) {}

void LibraryOrganizer::performOrganization(LibraryOrganization organization) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    switch (organization) {
    case LibraryOrganization::exportLayout:
        reopenSettings_ = window_.lifecycle()->appearanceOpen();
        window_.lifecycle()->setAppearanceOpen(false);
        afterDelay(backupDelayMilliseconds, [this] { exportLayoutBackup(); });
        return;
    case LibraryOrganization::importLayout:
        reopenSettings_ = window_.lifecycle()->appearanceOpen();
        window_.lifecycle()->setAppearanceOpen(false);
        afterDelay(backupDelayMilliseconds, [this] { importLayoutBackup(); });
        return;
    case LibraryOrganization::welcome:
        window_.lifecycle()->setAppearanceOpen(false);
        afterDelay(welcomeDelayMilliseconds,
                   [this] { window_.lifecycle()->setOnboardingOpen(true); });
        return;
    default:
        applyLayoutAction(organization);
    }
}

void LibraryOrganizer::applyLayoutAction(LibraryOrganization organization) {
    std::vector<LayoutItem> sorted;
    if (organization == LibraryOrganization::sortByName)
        sorted = sortedItems(window_, window_.layout()->pageItems(), LibrarySort::name);
    const auto& utilities = window_.library()->utilityIDs();
    const LayoutTextSet utilityIDs(utilities.begin(), utilities.end());
    window_.updateLayout(true, [&](LibraryLayout& layout) {
        return applyOrganization(organization, layout, sorted, utilityIDs);
    });
    window_.settings()->setSortValue(LibrarySort::manual);
    window_.paging()->setPage(0);
}

void LibraryOrganizer::afterDelay(int milliseconds, std::function<void()> action) {
    window_.scheduler().schedule(std::chrono::milliseconds(milliseconds), this, std::move(action));
}

bool LibraryOrganizer::launchpadAvailable() const {
    return LaunchpadImporter::databaseURL().has_value();
}

void LibraryOrganizer::importLaunchpadLayout(std::function<void(std::optional<int>)> done) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (importingLaunchpad_)
        return;
    importingLaunchpad_ = true;
    emit importingLaunchpadChanged();
    using Entries = std::optional<std::vector<LaunchpadImporter::Entry>>;
    // Copying and reading a database is file and SQLite work the window must not wait for.
    runInBackground(this, readLaunchpad_, [this, done = std::move(done)](Entries entries) {
        importingLaunchpad_ = false;
        emit importingLaunchpadChanged();
        const std::optional<int> found = applyLaunchpadEntries(entries);
        if (done)
            done(found);
    });
}

std::optional<int> LibraryOrganizer::applyLaunchpadEntries(
    const std::optional<std::vector<LaunchpadImporter::Entry>>& entries) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!entries || entries->empty())
        return std::nullopt;
    const LibraryState& library = *window_.library();
    const std::vector<std::string> appOrder = library.appIDs();
    const std::unordered_set<std::string> installed(appOrder.begin(), appOrder.end());
    LaunchpadConversion converted =
        convertLaunchpadEntries(*entries, installed, appOrder, newFolderID);
    if (converted.found == 0)
        return 0;
    const bool applied = window_.updateLayout(true, [&](LibraryLayout& layout) {
        try {
            layout.graph = LayoutGraph::make(
                {LayoutPage{.id = layout.pageID, .items = std::move(converted.items)}},
                std::move(converted.folders));
        } catch (const LayoutError&) {
            return false;
        }
        return true;
    });
    if (!applied)
        return 0;
    window_.settings()->setSortValue(LibrarySort::manual);
    window_.paging()->setPage(0);
    return static_cast<int>(converted.found);
}

OrganizerParts installOrganizer(AmbergridWindow& window) {
    auto* files = new QuickBackupFileChooser(&window);
    auto* organizer = new LibraryOrganizer(window, *files, &window);
    QObject::connect(window.actions(), &WindowActions::welcomeRequested, organizer,
                     [organizer] { organizer->performOrganization(LibraryOrganization::welcome); });
    return {.organizer = organizer, .files = files};
}

} // namespace orbitdeck
