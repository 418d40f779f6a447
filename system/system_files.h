#pragma once

#include "platform/folder_events.h"
#include "platform/freedesktop_trash.h"
#include "platform/gnome_favorite_apps.h"
#include "platform/plank_launchers.h"
#include "platform/plasma_task_managers.h"
#include "platform/running_applications.h"
#include "system/app_folder_watcher.h"
#include "system/application_trash.h"
#include "system/dock_integration.h"

namespace orbitdeck {

class Scheduler;

// The run-wide file services on the live platform: the application-folder watcher, moving
// applications to the Trash and the docks' kept applications. Made once, before the window that
// uses them.
class SystemFiles {
public:
    explicit SystemFiles(Scheduler& scheduler);

    AppFolderWatcher& watcher() { return watcher_; }
    ApplicationTrash& trash() { return trash_; }
    DockIntegration& dock() { return dock_; }

private:
    InotifyFolderEvents folderEvents_;
    FreedesktopTrash freedesktopTrash_;
    ProcessTable processes_;
    GnomeFavoriteApps gnomeFavorites_;
    PlasmaTaskManagers plasmaTaskManagers_;
    PlankLaunchers plank_{PlankLaunchers::standardFolder()};
    AppFolderWatcher watcher_;
    ApplicationTrash trash_;
    DockIntegration dock_;
};

} // namespace orbitdeck
