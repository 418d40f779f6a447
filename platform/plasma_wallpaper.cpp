#include "platform/plasma_wallpaper.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <limits>

namespace orbitdeck::plasma_wallpaper {

namespace {

using Group = QMap<QString, QString>;
// Groups by their path of names ("Containments", "1", "Wallpaper", ...), in file order.
using Config = std::vector<std::pair<QStringList, Group>>;

// KConfig's own escapes in values.
QString unescaped(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const QChar next = value[++i];
        out += next == u's'   ? QChar(u' ')
               : next == u't' ? QChar(u'\t')
               : next == u'n' ? QChar(u'\n')
                              : next;
    }
    return out;
}

Config parse(const QByteArray& bytes) {
    Config config;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            config.push_back({line.mid(1, line.size() - 2).split(QStringLiteral("][")), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || config.empty())
            continue;
        QString key = line.left(equals).trimmed();
        // Flags such as [$e] or [$i] follow the key; a localised key ("Name[de]") is not ours.
        static const QRegularExpression flags(QStringLiteral("(\\[\\$[a-z]+\\])+$"));
        key.remove(flags);
        if (key.contains(u'['))
            continue;
        config.back().second.insert(key, unescaped(line.mid(equals + 1).trimmed()));
    }
    return config;
}

std::optional<QString> localPath(const QString& value) {
    if (value.isEmpty())
        return std::nullopt;
    const QUrl url(value);
    if (url.isLocalFile())
        return url.toLocalFile();
    if (value.startsWith(u'/'))
        return value;
    return std::nullopt;
}

struct Containment {
    QString id;
    std::optional<int> screen;
    QString activity;
    QString plugin = QStringLiteral("org.kde.image");
};

} // namespace

std::optional<int> screenNumber(const QByteArray& plasmashellrc, const QString& connector) {
    if (connector.isEmpty())
        return std::nullopt;
    for (const auto& [names, group] : parse(plasmashellrc)) {
        if (names != QStringList{QStringLiteral("ScreenConnectors")})
            continue;
        for (auto it = group.begin(); it != group.end(); ++it) {
            bool number = false;
            const int screen = it.key().toInt(&number);
            if (number && it.value() == connector)
                return screen;
        }
    }
    return std::nullopt;
}

std::optional<QString> picture(const QByteArray& appletsrc, int screen, const QString& activity) {
    const Config config = parse(appletsrc);
    std::vector<Containment> desktops;
    const auto desktopOf = [&](const QString& id) -> Containment& {
        for (Containment& desktop : desktops)
            if (desktop.id == id)
                return desktop;
        Containment& added = desktops.emplace_back();
        added.id = id;
        return added;
    };
    for (const auto& [names, group] : config) {
        if (names.size() < 2 || names[0] != u"Containments")
            continue;
        // A desktop names a wallpaper plugin or has a wallpaper section; a panel neither.
        if (names.size() == 5 && names[2] == u"Wallpaper" && names[4] == u"General") {
            desktopOf(names[1]);
            continue;
        }
        if (names.size() != 2 || !group.contains(QStringLiteral("wallpaperplugin")))
            continue;
        Containment& desktop = desktopOf(names[1]);
        desktop.activity = group.value(QStringLiteral("activityId"));
        bool number = false;
        const int last = group.value(QStringLiteral("lastScreen")).toInt(&number);
        if (number)
            desktop.screen = last;
        if (const QString plugin = group.value(QStringLiteral("wallpaperplugin"));
            !plugin.isEmpty())
            desktop.plugin = plugin;
    }
    const auto imageOf = [&](const Containment& desktop) -> std::optional<QString> {
        const QStringList section{QStringLiteral("Containments"), desktop.id,
                                  QStringLiteral("Wallpaper"), desktop.plugin,
                                  QStringLiteral("General")};
        for (const auto& [names, group] : config)
            if (names == section)
                return localPath(group.value(QStringLiteral("Image")));
        return std::nullopt;
    };
    // Best: this screen in this activity; then this screen; then screen 0 likewise; then a
    // desktop that does not say where it is.
    for (const std::optional<int> wanted :
         {std::optional(screen), std::optional(0), std::optional<int>()}) {
        const Containment* match = nullptr;
        for (const Containment& desktop : desktops) {
            if (desktop.screen != wanted)
                continue;
            if (match == nullptr || (!activity.isEmpty() && desktop.activity == activity &&
                                     match->activity != activity))
                match = &desktop;
        }
        if (match != nullptr)
            return imageOf(*match);
    }
    return std::nullopt;
}

QString packagePicture(const QString& path, const QSize& screen, bool dark) {
    if (!QFileInfo(path).isDir())
        return path;
    const QDir contents(path + QStringLiteral("/contents"));
    QDir images(contents.filePath(dark ? QStringLiteral("images_dark") : QStringLiteral("images")));
    if (dark && !images.exists())
        images.setPath(contents.filePath(QStringLiteral("images")));
    static const QRegularExpression sized(QStringLiteral("^(\\d+)x(\\d+)\\."));
    QString best;
    qint64 bestDistance = std::numeric_limits<qint64>::max();
    for (const QString& name : images.entryList(QDir::Files, QDir::Name)) {
        const auto match = sized.match(name);
        qint64 distance = std::numeric_limits<qint64>::max() - 1;
        if (match.hasMatch())
            distance = qAbs(match.captured(1).toLongLong() * match.captured(2).toLongLong() -
                            qint64(screen.width()) * screen.height());
        if (distance < bestDistance) {
            bestDistance = distance;
            best = images.filePath(name);
        }
    }
    return best.isEmpty() ? path : best;
}

} // namespace orbitdeck::plasma_wallpaper
