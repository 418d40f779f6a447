#pragma once

#include <QString>

#include <filesystem>
#include <functional>

namespace orbitdeck {

// Shows an item in the desktop's file manager: the org.freedesktop.FileManager1 service selects
// it (asked where a session bus is known; the bus may start the service); without one the
// item's folder opens with the desktop's default application for folders. done runs on the main
// thread, with false when neither is there. connection: the name of a bus connection to use
// instead of the session bus.
void showInFileManager(const std::filesystem::path& item, std::function<void(bool shown)> done,
                       const QString& connection = {});

// Opens the folder with the default application for folders (inode/directory); false when there
// is none or it cannot be started.
bool openFolderWithDefaultApplication(const std::filesystem::path& folder);

} // namespace orbitdeck
