#include "window/qml/desktop_wallpaper_image.h"

#include "platform/desktop_wallpaper.h"
#include "platform/main_thread.h"

#include <QFutureWatcher>
#include <QImageReader>
#include <QPointer>
#include <QStandardPaths>
#include <QtConcurrent/QtConcurrentRun>

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
    }) {
    current = this;
}

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
    return QUrl(QStringLiteral("image://wallpaper/%1").arg(generation_));
}

void DesktopWallpaperImage::refresh() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const quint64 generation = ++generation_;
    if (!enabled_) {
        apply(generation, std::nullopt, {});
        return;
    }
    struct Result {
        std::optional<QString> path;
        QImage image;
    };
    auto* watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcher<Result>::finished, this, [this, watcher, generation] {
        Result result = watcher->result();
        watcher->deleteLater();
        apply(generation, std::move(result.path), std::move(result.image));
    });
    watcher->setFuture(QtConcurrent::run([locator = locator_] {
        Result result{.path = locator(), .image = {}};
        if (result.path)
            result.image = wallpaperThumbnail(*result.path);
        return result;
    }));
}

void DesktopWallpaperImage::apply(quint64 generation, std::optional<QString> path, QImage image) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // A newer refresh has started since: this result is stale.
    if (generation != generation_)
        return;
    path_ = std::move(path);
    image_ = std::move(image);
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
