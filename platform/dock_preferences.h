#pragma once

#include "platform/plist_node.h"

#include <QString>

#include <vector>

namespace orbitdeck {

// The Dock's stored list of kept applications ("persistent-apps" of "com.apple.dock"), as read.
struct DockAppsRead {
    enum class State {
        absent,     // no list stored yet
        list,       // a list of dictionaries: tiles holds it
        malformed,  // a value of another shape is stored
        unreadable, // the preferences themselves cannot be read
    };
    State state = State::absent;
    std::vector<PlistNode> tiles;
};

// The Dock's preferences and its restart.
class DockPreferences {
public:
    virtual ~DockPreferences() = default;
    virtual DockAppsRead persistentApps() = 0;
    // Stores the list and makes it durable; false when it could not be written.
    virtual bool setPersistentApps(const std::vector<PlistNode>& tiles) = 0;
    // Makes the Dock show the stored list; does not wait.
    virtual void restartDock() = 0;
};

// Linux has no Dock: this stand-in keeps the list in the preferences domain file
// "$XDG_CONFIG_HOME/orbitdeck/com.apple.dock.plist" (an XML property list whose other keys are
// kept as they are), so a panel or script can follow it. There is no process to restart.
class DockPreferencesFile final : public DockPreferences {
public:
    static QString standardPath();

    explicit DockPreferencesFile(QString path);
    DockAppsRead persistentApps() override;
    bool setPersistentApps(const std::vector<PlistNode>& tiles) override;
    void restartDock() override {}

private:
    QString path_;
};

} // namespace orbitdeck
