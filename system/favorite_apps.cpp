#include "system/favorite_apps.h"

#include "platform/desktop_settings.h"

#include <QStringList>

namespace orbitdeck {

namespace {

const QString key = QStringLiteral("favorite-apps");

bool onGnomeSession() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
}

} // namespace

GnomeFavoriteApps::GnomeFavoriteApps(QString schema)
    : schema_(std::move(schema)) {}

FavoriteApps::Read GnomeFavoriteApps::read() {
    if (!onGnomeSession())
        return {};
    const auto value = desktop_settings::gsettingsValue(schema_, key);
    if (!value)
        return {};
    if (value->typeId() != QMetaType::QStringList)
        return {.state = State::malformed, .ids = {}};
    std::vector<std::string> ids;
    for (const QString& id : value->toStringList())
        ids.push_back(id.toStdString());
    return {.state = State::list, .ids = std::move(ids)};
}

bool GnomeFavoriteApps::write(const std::vector<std::string>& ids) {
    return desktop_settings::setGsettingsStrings(schema_, key, ids);
}

} // namespace orbitdeck
