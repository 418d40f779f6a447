#include "platform/gnome_favorite_apps.h"

#include "platform/desktop_settings.h"

#include <QStringList>

#include <algorithm>

namespace orbitdeck {

namespace {

const QString key = QStringLiteral("favorite-apps");

// GNOME Flashback names GNOME too, but runs a panel that shows no favourites.
bool onGnomeShellSession() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive) &&
           !desktops.contains(QStringLiteral("GNOME-Flashback"), Qt::CaseInsensitive);
}

} // namespace

GnomeFavoriteApps::GnomeFavoriteApps(QString schema)
    : schema_(std::move(schema)) {}

std::optional<std::vector<std::string>> GnomeFavoriteApps::ids() const {
    if (!onGnomeShellSession())
        return std::nullopt;
    const auto value = desktop_settings::gsettingsValue(schema_, key);
    if (!value || value->typeId() != QMetaType::QStringList)
        return std::nullopt;
    std::vector<std::string> ids;
    for (const QString& id : value->toStringList())
        ids.push_back(id.toStdString());
    return ids;
}

bool GnomeFavoriteApps::write(const std::vector<std::string>& ids) const {
    return desktop_settings::setGsettingsStrings(schema_, key, ids);
}

std::optional<std::vector<LauncherDock::Launcher>> GnomeFavoriteApps::launchers() {
    const auto kept = ids();
    if (!kept)
        return std::nullopt;
    std::vector<Launcher> launchers;
    for (const std::string& id : *kept)
        launchers.push_back({.desktopFileId = id, .file = std::nullopt});
    return launchers;
}

bool GnomeFavoriteApps::add(const std::filesystem::path&, const std::string& desktopFileId) {
    auto kept = ids();
    if (!kept)
        return false;
    if (std::ranges::find(*kept, desktopFileId) != kept->end())
        return true;
    kept->push_back(desktopFileId);
    return write(*kept);
}

bool GnomeFavoriteApps::remove(const Matches& matches) {
    auto kept = ids();
    if (!kept)
        return false;
    // The dash follows its setting at once: nothing to restart.
    const auto dropped = std::erase_if(*kept, [&](const std::string& id) {
        return matches({.desktopFileId = id, .file = std::nullopt});
    });
    return dropped == 0 || write(*kept);
}

} // namespace orbitdeck
