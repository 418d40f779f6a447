#pragma once

#include "catalog-core/app_dates.h"
#include "catalog-core/app_descriptor.h"

#include <QString>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
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
    virtual void installTriggerHandlers(std::function<void()> toggle, const QString& hotKey) = 0;
};

// Watches the application folders and reports a change after 1.2 s of quiet.
class FolderWatch {
public:
    virtual ~FolderWatch() = default;
    virtual void setOnChange(std::function<void()> onChange) = 0;
    virtual void start() = 0;
};

// One scan of the catalog; complete is false when a root timed out.
struct CatalogScan {
    std::vector<AppDescriptor> apps;
    bool complete = true;
};

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
    LibraryPresentation* presentation = nullptr;
    FolderWatch* watcher = nullptr;
};

} // namespace orbitdeck
