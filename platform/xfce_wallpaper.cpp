#include "platform/xfce_wallpaper.h"

#include <QMap>
#include <QStringList>
#include <QXmlStreamReader>

namespace orbitdeck::xfce_wallpaper {

namespace {

struct Channel {
    // Property paths ("/backdrop/screen0/...") to their values, and the monitors of screen0 in
    // file order.
    QMap<QString, QString> values;
    QStringList monitors;
};

std::optional<Channel> parse(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    if (!xml.readNextStartElement() || xml.name() != u"channel")
        return std::nullopt;
    Channel channel;
    QStringList path;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement && xml.name() == u"property") {
            path.append(xml.attributes().value(QLatin1String("name")).toString());
            const QString key = u'/' + path.join(u'/');
            if (path.size() == 3 && path[0] == u"backdrop" && path[1] == u"screen0")
                channel.monitors.append(path[2]);
            if (xml.attributes().hasAttribute(QLatin1String("value")))
                channel.values.insert(key,
                                      xml.attributes().value(QLatin1String("value")).toString());
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"property") {
            path.removeLast();
        }
    }
    if (xml.hasError())
        return std::nullopt;
    return channel;
}

} // namespace

std::optional<QString> picture(const QByteArray& bytes, const QString& monitor, int monitorIndex,
                               int workspace) {
    if (bytes.size() > maxBytes)
        return std::nullopt;
    const std::optional<Channel> channel = parse(bytes);
    if (!channel)
        return std::nullopt;
    const auto& values = channel->values;
    if (values.value(QStringLiteral("/backdrop/single-workspace-mode")) == u"true") {
        bool number = false;
        const int shared =
            values.value(QStringLiteral("/backdrop/single-workspace-number")).toInt(&number);
        if (number)
            workspace = shared;
    }
    const QString workspaceName = QStringLiteral("workspace%1").arg(workspace);
    const auto pictureOf = [&](const QString& monitorName) -> std::optional<QString> {
        const QString base =
            QStringLiteral("/backdrop/screen0/%1/%2/").arg(monitorName, workspaceName);
        if (!values.contains(base + QStringLiteral("last-image")))
            return std::nullopt;
        // Image style 0 is "none": the backdrop is a colour.
        if (values.value(base + QStringLiteral("image-style")) == u"0")
            return QString();
        return values.value(base + QStringLiteral("last-image"));
    };
    QStringList tried{QStringLiteral("monitor") + monitor,
                      QStringLiteral("monitor%1").arg(monitorIndex)};
    tried.append(channel->monitors);
    for (const QString& name : tried) {
        if (const auto found = pictureOf(name)) {
            if (found->isEmpty())
                return std::nullopt;
            return found;
        }
    }
    return std::nullopt;
}

} // namespace orbitdeck::xfce_wallpaper
