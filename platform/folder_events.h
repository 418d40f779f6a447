#pragma once

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>

namespace orbitdeck {

// Change reports for one folder's own entries (added, removed, renamed) and for the folder
// itself being renamed or deleted; subfolders are not watched. Watching ends when it is destroyed.
class FolderEventSource {
public:
    virtual ~FolderEventSource() = default;
};

class FolderEvents {
public:
    virtual ~FolderEvents() = default;
    // Calls onEvent on the main thread for each batch of changes; none when the folder is
    // missing or cannot be watched.
    virtual std::unique_ptr<FolderEventSource> watch(const std::filesystem::path& folder,
                                                     std::function<void()> onEvent) = 0;
};

// inotify, one instance per folder, read through a socket notifier on the main thread.
class InotifyFolderEvents final : public FolderEvents {
public:
    std::unique_ptr<FolderEventSource> watch(const std::filesystem::path& folder,
                                             std::function<void()> onEvent) override;
};

} // namespace orbitdeck
