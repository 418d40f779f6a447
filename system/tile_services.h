#pragma once

#include "platform/running_applications.h"
#include "system/application_trash.h"
#include "system/dock_integration.h"
#include "window/window_seams.h"

namespace orbitdeck {

// What the tile menu and the uninstall ask of the system: the Trash, the Dock's list, running
// copies and the file manager, on the live services.
class TileServices final : public AppTrash, public AppPlaces {
public:
    using Toast = std::function<void(const QString& text)>;
    // toast: shows a short message in the window.
    TileServices(ApplicationTrash& trash, DockIntegration& dock, RunningApplications& running,
                 Toast toast = {});

    bool isUninstallable(const AppDescriptor& app) override;
    std::vector<std::filesystem::path> leftoverURLs(const AppDescriptor& app) override;
    std::optional<QString> formattedSize(const std::filesystem::path& bundle) override;
    void moveToTrash(const AppDescriptor& app, std::function<void(Moved)> done) override;
    void recycleItems(const std::vector<std::filesystem::path>& items,
                      std::function<void()> done) override;
    void forget(const AppDescriptor& app) override;

    bool canKeepInDock(const std::filesystem::path& bundle) override;
    bool isInDock(const std::filesystem::path& bundle) override;
    void addToDock(const std::filesystem::path& bundle) override;
    void removeFromDock(const std::filesystem::path& bundle) override;
    bool isRunning(const AppDescriptor& app) override;
    void quitFirst(const AppDescriptor& app) override;
    // The desktop's file manager with the bundle or entry selected, else its folder opened with
    // the default application for folders, else a toast that no file manager is installed.
    void reveal(const std::filesystem::path& bundle) override;

private:
    std::vector<int> instances(const AppDescriptor& app);

    ApplicationTrash& trash_;
    DockIntegration& dock_;
    RunningApplications& running_;
    Toast toast_;
};

} // namespace orbitdeck
