#include "system/app_folder_watcher.h"

#include "catalog-core/desktop_entry.h"
#include "library/live_catalog.h"
#include "platform/main_thread.h"

#include <algorithm>

namespace orbitdeck {

AppFolderWatcher::AppFolderWatcher(FolderEvents& events, Scheduler& scheduler,
                                   std::vector<std::filesystem::path> folders, QObject* parent)
    : QObject(parent)
    , events_(events)
    , scheduler_(scheduler)
    , folders_(std::move(folders)) {}

void AppFolderWatcher::setOnChange(std::function<void()> onChange) {
    onChange_ = std::move(onChange);
}

void AppFolderWatcher::start() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    stop();
    for (const auto& folder : folders_) {
        // The source is owned here and destroyed in stop(), so it never outlives the watcher.
        if (auto source = events_.watch(folder, [this] { scheduleChange(); }))
            sources_.push_back(std::move(source));
    }
}

void AppFolderWatcher::stop() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    sources_.clear();
}

void AppFolderWatcher::scheduleChange() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (pending_)
        scheduler_.cancel(*pending_);
    pending_ = scheduler_.schedule(quietPeriod, this, [this] {
        pending_.reset();
        if (onChange_)
            onChange_();
    });
}

std::vector<std::filesystem::path> watchedApplicationFolders() {
    std::vector<std::filesystem::path> folders = liveApplicationRoots();
    std::erase_if(folders, [](const std::filesystem::path& folder) {
        return folder.lexically_normal() == "/System/Applications";
    });
    // Package managers add and remove desktop entries here.
    for (auto& folder : desktopEntryFolders())
        folders.push_back(std::move(folder));
    return folders;
}

} // namespace orbitdeck
