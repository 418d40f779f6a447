#include "system/favorite_apps.h"

#include "platform/desktop_settings.h"

#include <QStringList>

namespace orbitdeck {

namespace {

const QString schema = QStringLiteral("org.gnome.shell");
const QString key = QStringLiteral("favorite-apps");

bool onGnomeSession() {
    const QStringList desktops = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':');
    return desktops.contains(QStringLiteral("GNOME"), Qt::CaseInsensitive);
}

} // namespace

std::optional<std::vector<std::string>> parseGVariantStrings(const QString& text) {
    QStringView rest = QStringView(text).trimmed();
    if (rest.startsWith(u"@as"))
        rest = rest.mid(3).trimmed();
    if (!rest.startsWith(u'[') || !rest.endsWith(u']'))
        return std::nullopt;
    rest = rest.mid(1, rest.size() - 2).trimmed();
    std::vector<std::string> items;
    while (!rest.isEmpty()) {
        const QChar quote = rest.front();
        if (quote != u'\'' && quote != u'"')
            return std::nullopt;
        QString item;
        qsizetype index = 1;
        bool closed = false;
        for (; index < rest.size(); ++index) {
            const QChar c = rest[index];
            if (c == u'\\' && index + 1 < rest.size()) {
                item += rest[++index];
            } else if (c == quote) {
                closed = true;
                break;
            } else {
                item += c;
            }
        }
        if (!closed)
            return std::nullopt;
        items.push_back(item.toStdString());
        rest = rest.mid(index + 1).trimmed();
        if (rest.isEmpty())
            break;
        if (!rest.startsWith(u','))
            return std::nullopt;
        rest = rest.mid(1).trimmed();
        if (rest.isEmpty())
            return std::nullopt;
    }
    return items;
}

QString formatGVariantStrings(const std::vector<std::string>& items) {
    QStringList quoted;
    for (const std::string& item : items) {
        QString text = QString::fromStdString(item);
        text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
        quoted << u'\'' + text + u'\'';
    }
    return u'[' + quoted.join(QStringLiteral(", ")) + u']';
}

FavoriteApps::Read GnomeFavoriteApps::read() {
    if (!onGnomeSession())
        return {};
    const auto value = desktop_settings::gsettingsValue(schema, key);
    if (!value)
        return {};
    auto ids = parseGVariantStrings(*value);
    if (!ids)
        return {.state = State::malformed, .ids = {}};
    return {.state = State::list, .ids = std::move(*ids)};
}

bool GnomeFavoriteApps::write(const std::vector<std::string>& ids) {
    return desktop_settings::gsettingsSet(schema, key, formatGVariantStrings(ids));
}

} // namespace orbitdeck
