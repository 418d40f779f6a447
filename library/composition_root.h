#pragma once

#include "library/application_catalog.h"
#include "library/application_launcher.h"

#include <memory>

namespace orbitdeck {

// The catalog and launcher the window works with, made once per run by the app entry.
struct CompositionRoot {
    std::shared_ptr<const ApplicationCatalog> catalog;
    std::shared_ptr<ApplicationLauncher> launcher;
};

// The live catalog over the machine's application folders and the process-starting launcher.
CompositionRoot makeLiveCompositionRoot();

} // namespace orbitdeck
