#include "library/composition_root.h"

#include "library/live_catalog.h"
#include "library/workspace_launcher.h"
#include "library/workspace_process.h"

#include <utility>

namespace orbitdeck {

CompositionRoot makeLiveCompositionRoot(std::shared_ptr<ApplicationWindows> windows) {
    return CompositionRoot{
        .catalog = std::make_shared<LiveCatalog>(),
        .launcher = std::make_shared<WorkspaceLauncher>(
            std::make_shared<ProcessWorkspace>(std::move(windows))),
    };
}

} // namespace orbitdeck
