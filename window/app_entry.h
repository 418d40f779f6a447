#pragma once

#include "window/window_seams.h"

#include <functional>
#include <memory>
#include <vector>

namespace orbitdeck {

class AmbergridWindow;
class DefaultsStore;
class QtScheduler;

// The non-view top of the program: the standard defaults (the store of the window's settings),
// the one-time migration, the composition root (made once, on first use) and the window state. The
// executable makes one and hands window() to QML.
class AppEntry {
public:
    // Attaches the operations of a module to the window (arranging, onboarding).
    using Extension = std::function<void(AmbergridWindow&)>;

    struct Seams {
        LibraryPresentation* presentation = nullptr;
        FolderWatch* watcher = nullptr;
        AppTrash* trash = nullptr;
        AppPlaces* places = nullptr;
        // Runs once before the window exists (the legacy settings copy).
        std::function<void(DefaultsStore&)> migrateLegacyDefaults;
    };

    AppEntry(Seams seams, std::vector<Extension> extensions);
    ~AppEntry();

    AmbergridWindow& window() { return *window_; }
    DefaultsStore& defaults() { return *defaults_; }

private:
    DefaultsStore* defaults_ = nullptr;
    std::unique_ptr<QtScheduler> scheduler_;
    std::unique_ptr<AmbergridWindow> window_;
};

} // namespace orbitdeck
