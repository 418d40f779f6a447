#include "system/system_files.h"

namespace orbitdeck {

SystemFiles::SystemFiles(Scheduler& scheduler)
    : freedesktopTrash_(FreedesktopTrash::standardOptions())
    , dockFile_(DockPreferencesFile::standardPath())
    , watcher_(folderEvents_, scheduler, watchedApplicationFolders())
    , trash_(freedesktopTrash_, processes_, scheduler, ApplicationTrash::standardOptions())
    , dock_(dockFile_, &favorites_) {}

} // namespace orbitdeck
