#include "window/qml/desktop_wallpaper_image.h"

#include "platform/background_work.h"
#include "platform/desktop_settings.h"
#include "platform/desktop_wallpaper.h"
#include "platform/main_thread.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>
#include <QPointer>
#include <QStandardPaths>

namespace orbitdeck {

namespace {
// The provider serves the picture of the latest wallpaper object; there is one per window.
QPointer<DesktopWallpaperImage> current;
} // namespace

QImage wallpaperThumbnail(const QString& path, int maxEdge) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (size.isValid() && (size.width() > maxEdge || size.height() > maxEdge)) {
        // Decode reduced where the format allows it, so a huge picture never sits in memory.
        const QSize transformed =
            (reader.transformation() & QImageIOHandler::TransformationRotate90) ? size.transposed()
                                                                                : size;
        size = transformed.scaled(maxEdge, maxEdge, Qt::KeepAspectRatio);
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            size.transpose();
        reader.setScaledSize(size);
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.width() > maxEdge || image.height() > maxEdge)
        image = image.scaled(maxEdge, maxEdge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

DesktopWallpaperImage::DesktopWallpaperImage(QObject* parent)
    : QObject(parent)
    , locator_([] {
        return desktop_wallpaper::locate(
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    })
    , decoder_([](const QString& path) { return wallpaperThumbnail(path); }) {
    current = this;
    auto* gnome = new desktop_settings::GsettingsWatch(
        QString::fromLatin1(desktop_wallpaper::gnomeBackground),
        {QStringLiteral("picture-uri"), QStringLiteral("picture-uri-dark")}, this);
    connect(gnome, &desktop_settings::GsettingsWatch::changed, this,
            &DesktopWallpaperImage::refresh);
}

struct DesktopWallpaperImage::Found {
    std::optional<QString> path;
    std::optional<Stamp> stamp;
    // The picture shown already is this one: nothing was read.
    bool unchanged = false;
    QImage image;
};

void DesktopWallpaperImage::setEnabled(bool enabled) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    emit enabledChanged();
    refresh();
}

QUrl DesktopWallpaperImage::source() const {
    if (image_.isNull())
        return {};
    return QUrl(QStringLiteral("image://wallpaper/%1").arg(imageVersion_));
}

void DesktopWallpaperImage::refresh() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const quint64 generation = ++generation_;
    if (!enabled_) {
        apply(generation, {});
        return;
    }
    const std::optional<Stamp> shown = image_.isNull() ? std::nullopt : stamp_;
    runInBackground(
        this,
        [locator = locator_, decoder = decoder_, shown] {
            Found found;
            found.path = locator();
            if (!found.path)
                return found;
            const QFileInfo file(*found.path);
            found.stamp = Stamp{.path = file.absoluteFilePath(),
                                .modified = file.lastModified().toMSecsSinceEpoch(),
                                .size = file.size()};
            found.unchanged = found.stamp == shown;
            if (!found.unchanged)
                found.image = decoder(*found.path);
            return found;
        },
        [this, generation](Found found) { apply(generation, std::move(found)); });
}

void DesktopWallpaperImage::apply(quint64 generation, Found found) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // A newer refresh has started since: this result is stale.
    if (generation != generation_ || found.unchanged)
        return;
    path_ = std::move(found.path);
    stamp_ = found.stamp;
    image_ = std::move(found.image);
    ++imageVersion_;
    unavailable_ = enabled_ && image_.isNull();
    emit imageChanged();
}

WallpaperProvider::WallpaperProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage WallpaperProvider::requestImage(const QString&, QSize* size, const QSize&) {
    const QImage image = current ? current->image() : QImage();
    if (size)
        *size = image.size();
    return image;
}

} // namespace orbitdeck
