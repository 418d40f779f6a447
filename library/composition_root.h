#pragma once

#include "library/application_catalog.h"
#include "library/application_launcher.h"
#include "library/application_windows.h"

#include <memory>

namespace orbitdeck {

// The catalog and launcher the window works with, made once per run by the app entry.
struct CompositionRoot {
    std::shared_ptr<const ApplicationCatalog> catalog;
    std::shared_ptr<ApplicationLauncher> launcher;
};

// The live catalog over the machine's application folders and the process-starting launcher;
// with windows, the launcher brings a running application forward instead of starting another.
CompositionRoot makeLiveCompositionRoot(std::shared_ptr<ApplicationWindows> windows = nullptr);

} // namespace orbitdeck
