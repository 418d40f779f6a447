#include "system/system_files.h"

namespace orbitdeck {

SystemFiles::SystemFiles(Scheduler& scheduler)
    : freedesktopTrash_(FreedesktopTrash::standardOptions())
    , watcher_(folderEvents_, scheduler, watchedApplicationFolders())
    , trash_(freedesktopTrash_, processes_, scheduler, ApplicationTrash::standardOptions())
    , dock_({&gnomeFavorites_, &plasmaTaskManagers_, &plank_}) {}

} // namespace orbitdeck
