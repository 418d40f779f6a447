#pragma once

#include "catalog-core/app_dates.h"
#include "catalog-core/app_descriptor.h"
#include "library/application_catalog.h"
#include "window/settings_enum_types.h"

#include <QString>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace orbitdeck {

class Scheduler;
class DefaultsStore;

// Showing and hiding the launcher window; the system module implements it.
class LibraryPresentation {
public:
    virtual ~LibraryPresentation() = default;

    virtual bool isApplicationActive() const = 0;
    // The launcher's window exists, is mapped and is not fading out.
    virtual bool isWindowShown() const = 0;
    virtual bool isHiding() const = 0;
    virtual bool hasWindow() const = 0;
    virtual void hide(bool immediately) = 0;
    virtual void show(bool immediately) = 0;
    // Opens the window scene when there is no window yet.
    virtual void openWindow() = 0;
    // Hands the toggle to the hot key and the launch triggers, registering the shortcut.
    virtual void installTriggerHandlers(std::function<void()> toggle, LibraryHotKey hotKey) = 0;
};

// Watches the application folders and reports a change after 1.2 s of quiet.
class FolderWatch {
public:
    virtual ~FolderWatch() = default;
    virtual void setOnChange(std::function<void()> onChange) = 0;
    virtual void start() = 0;
};

// Moving applications and their leftovers to the Trash; the system module implements it.
class AppTrash {
public:
    struct Moved {
        // The bundle's new place in the Trash, when the system reports one.
        std::optional<std::filesystem::path> trashURL;
        // Set when the bundle could not be moved: the system's description.
        std::optional<QString> error;
    };

    virtual ~AppTrash() = default;
    // Whether the application may be moved to the Trash at all.
    virtual bool isUninstallable(const AppDescriptor& app) = 0;
    // Existing leftover items in the user's folders; cached per application id.
    virtual std::vector<std::filesystem::path> leftoverURLs(const AppDescriptor& app) = 0;
    // The bundle's allocated size as text; none when it cannot be enumerated. Cached per path.
    virtual std::optional<QString> formattedSize(const std::filesystem::path& bundle) = 0;
    // Asks running copies to quit, waits for them, then moves the bundle; done runs on the main
    // thread.
    virtual void moveToTrash(const AppDescriptor& app, std::function<void(Moved)> done) = 0;
    // Moves the items together; failures are swallowed. done runs on the main thread.
    virtual void recycleItems(const std::vector<std::filesystem::path>& items,
                              std::function<void()> done) = 0;
    // Forgets the cached leftovers and size text of an uninstalled application.
    virtual void forget(const AppDescriptor& app) = 0;
};

// The dock's kept applications, the running applications and the file manager.
class AppPlaces {
public:
    virtual ~AppPlaces() = default;
    // Whether a dock the user sees can keep the application; without one there is no entry.
    virtual bool canKeepInDock(const std::filesystem::path& bundle) = 0;
    virtual bool isInDock(const std::filesystem::path& bundle) = 0;
    virtual void addToDock(const std::filesystem::path& bundle) = 0;
    virtual void removeFromDock(const std::filesystem::path& bundle) = 0;
    // Running copies are found by bundle identifier and bundle.
    virtual bool isRunning(const AppDescriptor& app) = 0;
    // Politely asks the first running copy to quit; nothing waits.
    virtual void quitFirst(const AppDescriptor& app) = 0;
    // Opens a file-manager window with the bundle selected.
    virtual void reveal(const std::filesystem::path& bundle) = 0;
};

// One scan of the catalog. complete is false when a folder timed out or was listed only in part;
// absentFolders were missing or unreadable, which counts only for a folder listed before.
struct CatalogScan {
    std::vector<AppDescriptor> apps;
    bool complete = true;
    std::vector<std::string> listedFolders = {};
    std::vector<std::string> absentFolders = {};
};

inline CatalogScan catalogScanOf(CatalogListing listing) {
    return CatalogScan{.apps = std::move(listing.applications),
                       .complete = !listing.partial,
                       .listedFolders = std::move(listing.listedFolders),
                       .absentFolders = std::move(listing.absentFolders)};
}

// What the window needs from the world, injected so it runs headless on virtual time.
struct WindowEnvironment {
    Scheduler* scheduler = nullptr;
    DefaultsStore* defaults = nullptr;
    // Blocking; runs off the main thread.
    std::function<CatalogScan()> scanCatalog;
    // Synchronous, on the main thread; whether the application could be opened.
    std::function<bool(const AppDescriptor&)> openApplication;
    // Blocking dates-added scan of a copy of the list; runs off the main thread.
    std::function<AppDates(const std::vector<AppDescriptor>&)> scanAddedDates;
    // Moves a bundle back out of the Trash; an error text on failure.
    std::function<std::optional<QString>(const std::filesystem::path& from,
                                         const std::filesystem::path& to)>
        moveItem;
    std::function<std::chrono::system_clock::time_point()> wallClock;
    std::function<bool(const char* name)> hasEnvironmentVariable;
    // Resolves symbolic links and standardises a bundle path.
    std::function<std::string(const std::filesystem::path&)> resolvedPath;
    // The configured system applications folder, whose Utilities folder is gathered once.
    std::filesystem::path systemApplications = "/System/Applications";
    LibraryPresentation* presentation = nullptr;
    FolderWatch* watcher = nullptr;
    // Searches the desktop's software centre for the query as typed; whether it started. Unset
    // when none is installed: the empty state then offers no search.
    std::function<bool(const QString& query)> searchSoftware;
    // Optional: without them the tile menu offers no Trash, dock, quit or reveal entries.
    AppTrash* trash = nullptr;
    AppPlaces* places = nullptr;
};

} // namespace orbitdeck
