#pragma once

#include "catalog-core/app_descriptor.h"
#include "platform/byte_count.h"
#include "platform/running_applications.h"
#include "platform/scheduler.h"
#include "platform/trash.h"

#include <QLocale>
#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// Where an application leaves files behind: the folders of a user's Library, mapped onto the
// XDG folders (see DESIGN.md).
struct LeftoverFolders {
    std::filesystem::path caches;             // $XDG_CACHE_HOME
    std::filesystem::path preferences;        // $XDG_CONFIG_HOME
    std::filesystem::path applicationSupport; // $XDG_DATA_HOME
    std::filesystem::path containers;         // $HOME/.var/app
    std::filesystem::path savedState;         // $XDG_STATE_HOME
    std::filesystem::path logs;               // $XDG_STATE_HOME/Logs
    std::filesystem::path launchAgents;       // $XDG_CONFIG_HOME/autostart
    std::filesystem::path otherData;          // $XDG_DATA_HOME: the Library's other folders
    // Folders other programs share ($HOME, $XDG_DATA_DIRS, $XDG_CONFIG_DIRS, $XDG_RUNTIME_DIR):
    // never a leftover, nor anything that holds one of them.
    std::vector<std::filesystem::path> shared;

    static LeftoverFolders standard();
};

// Moving applications and what they left behind to the Trash, so the user can put them back.
class ApplicationTrash final : public QObject {
    Q_OBJECT
public:
    static constexpr int quitChecks = 20;
    static constexpr std::chrono::milliseconds quitCheckInterval{150};

    struct Options {
        // The folders users install into; only applications inside them may be trashed.
        std::vector<std::filesystem::path> applicationFolders;
        LeftoverFolders library;
        std::optional<std::string> ownBundleIdentifier;
        std::optional<std::filesystem::path> ownBundleURL;
        QLocale locale;
        // Runs blocking file work (a move can copy a whole bundle across filesystems) away from
        // the main thread, then `then` on the main thread unless context is gone; when empty,
        // both run at once.
        std::function<void(QObject* context, std::function<void()> work,
                           std::function<void()> then)>
            background;
    };
    // The watched application folders, the XDG folders, and this program's own bundle when it
    // runs from one.
    static Options standardOptions();

    ApplicationTrash(Trash& trash, RunningApplications& running, Scheduler& scheduler,
                     Options options, QObject* parent = nullptr);

    bool isUninstallable(const AppDescriptor& app) const;
    // Existing leftovers in a fixed order; scanned once per application and run.
    std::vector<std::filesystem::path> leftoverURLs(const AppDescriptor& app);
    // The allocated size of everything inside the bundle, e.g. "12.3 MB"; none when the bundle
    // cannot be listed.
    std::optional<QString> formattedSize(const std::filesystem::path& bundle);
    // Asks running copies to quit, waits up to 3 s for them, then moves the bundle to the Trash;
    // done runs on the main thread.
    void moveToTrash(const AppDescriptor& app, std::function<void(TrashOutcome)> done);
    TrashOutcome recycleToTrash(const std::filesystem::path& item);
    // Errors are dropped: leftovers that stay behind do no harm. done runs on the main thread.
    void recycleItemsToTrash(const std::vector<std::filesystem::path>& items,
                             std::function<void()> done = {});

    // By application id; the window forgets an entry after the application was trashed.
    std::map<std::string, std::vector<std::filesystem::path>>& leftoverCache() {
        return leftoverCache_;
    }
    // By bundle URL.
    std::map<std::filesystem::path, QString>& sizeCache() { return sizeCache_; }

private:
    void recycleInBackground(const std::filesystem::path& item,
                             std::function<void(TrashOutcome)> done);
    void runBlocking(std::function<void()> work, std::function<void()> then);
    void awaitQuit(const AppDescriptor& app, int check, std::function<void(TrashOutcome)> done);

    Trash& trash_;
    RunningApplications& running_;
    Scheduler& scheduler_;
    Options options_;
    std::map<std::string, std::vector<std::filesystem::path>> leftoverCache_;
    std::map<std::filesystem::path, QString> sizeCache_;
};

} // namespace orbitdeck
