#pragma once

#include "platform/launcher_dock.h"

#include <QString>

namespace orbitdeck {

// GNOME Shell's favourites (favorite-apps of org.gnome.shell, by desktop-file id), which its dash
// and the docks built on it (Dash to Dock, Ubuntu Dock) show. There on a GNOME session whose
// favourites read as a list; a key of another type is never written over.
class GnomeFavoriteApps final : public LauncherDock {
public:
    explicit GnomeFavoriteApps(QString schema = QStringLiteral("org.gnome.shell"));

    std::optional<std::vector<Launcher>> launchers() override;
    bool add(const std::filesystem::path& entry, const std::string& desktopFileId) override;
    bool remove(const Matches& matches) override;

private:
    std::optional<std::vector<std::string>> ids() const;
    bool write(const std::vector<std::string>& ids) const;

    QString schema_;
};

} // namespace orbitdeck
