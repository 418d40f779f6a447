#pragma once

#include <QImage>
#include <QObject>
#include <QQuickImageProvider>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

namespace orbitdeck {

// A reduced, decoded copy of a picture: the longer side at most maxEdge pixels, orientation
// applied. Null when the file cannot be read.
QImage wallpaperThumbnail(const QString& path, int maxEdge = 2200);

// The desktop picture for the backdrop. refresh() finds and reduces it off the main thread;
// a result that arrives after a newer refresh is dropped. The backdrop shows `source`.
class DesktopWallpaperImage : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
    Q_PROPERTY(QUrl source READ source NOTIFY imageChanged)
    Q_PROPERTY(bool unavailable READ unavailable NOTIFY imageChanged)

public:
    using Locator = std::function<std::optional<QString>()>;

    explicit DesktopWallpaperImage(QObject* parent = nullptr);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    QUrl source() const;
    bool unavailable() const { return unavailable_; }
    QImage image() const { return image_; }

    // Tests replace where the picture comes from.
    void setLocator(Locator locator) { locator_ = std::move(locator); }

    Q_INVOKABLE void refresh();

signals:
    void enabledChanged();
    void imageChanged();

private:
    void apply(quint64 generation, std::optional<QString> path, QImage image);

    Locator locator_;
    bool enabled_ = true;
    bool unavailable_ = false;
    quint64 generation_ = 0;
    std::optional<QString> path_;
    QImage image_;
};

// "image://wallpaper/<n>": the current picture of the one wallpaper object of the window.
class WallpaperProvider final : public QQuickImageProvider {
public:
    WallpaperProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

} // namespace orbitdeck
