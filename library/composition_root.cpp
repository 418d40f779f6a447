#include "library/composition_root.h"

#include "library/live_catalog.h"
#include "library/workspace_launcher.h"
#include "library/workspace_process.h"

namespace orbitdeck {

CompositionRoot makeLiveCompositionRoot() {
    return CompositionRoot{
        .catalog = std::make_shared<LiveCatalog>(),
        .launcher = std::make_shared<WorkspaceLauncher>(std::make_shared<ProcessWorkspace>()),
    };
}

} // namespace orbitdeck
