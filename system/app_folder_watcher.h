#pragma once

#include "platform/folder_events.h"
#include "platform/scheduler.h"
#include "window/window_seams.h"

#include <QObject>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orbitdeck {

// Watches the application folders that users and installers change and, once a burst of
// changes has been quiet for 1.2 s, tells its owner once. It knows nothing of applications.
class AppFolderWatcher final : public QObject, public FolderWatch {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds quietPeriod{1200};

    AppFolderWatcher(FolderEvents& events, Scheduler& scheduler,
                     std::vector<std::filesystem::path> folders, QObject* parent = nullptr);

    void setOnChange(std::function<void()> onChange) override;
    // (Re)starts watching; folders that cannot be watched are skipped silently.
    void start() override;
    // Stops watching; a pending quiet period still runs out.
    void stop();
    // Restarts the quiet period; the event handlers call it.
    void scheduleChange();

    std::size_t sourceCount() const { return sources_.size(); }

private:
    FolderEvents& events_;
    Scheduler& scheduler_;
    std::vector<std::filesystem::path> folders_;
    std::function<void()> onChange_;
    std::vector<std::unique_ptr<FolderEventSource>> sources_;
    std::optional<Scheduler::Token> pending_;
};

// "/Applications" and "$HOME/Applications" (the catalog's roots without
// "/System/Applications"), in that order, or the catalog's override folders when it has one;
// then the desktop-entry folders.
std::vector<std::filesystem::path> watchedApplicationFolders();

} // namespace orbitdeck
