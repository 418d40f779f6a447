#pragma once

#include "platform/launcher_dock.h"

#include <QString>

namespace orbitdeck {

// The launchers of Plasma's task managers (the "launchers" entry of each taskmanager or icontasks
// widget on a panel), read and written through the Plasma shell's scripting interface
// (org.kde.PlasmaShell evaluateScript) on the session bus. There while the shell runs with at
// least one task manager. Each task manager keeps its own list: an entry is added to all.
class PlasmaTaskManagers final : public LauncherDock {
public:
    // connection: the name of a bus connection to use instead of the session bus.
    explicit PlasmaTaskManagers(QString connection = {});

    std::optional<std::vector<Launcher>> launchers() override;
    bool add(const std::filesystem::path& entry, const std::string& desktopFileId) override;
    bool remove(const Matches& matches) override;

    // What a launcher text names: "applications:<id>", a file URL (also after an activity prefix
    // "[...]\n").
    static Launcher parse(const std::string& text);

private:
    struct TaskManager {
        qint64 id = 0;
        std::vector<std::string> launchers;
    };
    std::optional<std::vector<TaskManager>> read() const;
    // Writes each list whose task manager still holds what was read; false when one changed
    // meanwhile or the shell refused.
    bool write(const std::vector<TaskManager>& read, const std::vector<TaskManager>& wanted) const;
    bool edit(const std::function<void(std::vector<std::string>&)>& change);
    std::optional<QString> evaluate(const QString& script) const;

    QString connection_;
};

} // namespace orbitdeck
