#include "window/qml/app_icon_cache.h"

#include "catalog-core/info_plist.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace orbitdeck {

namespace {

QString iconFilePath(const QString& bundlePath) {
    const auto info = readBundleInfo(std::filesystem::path(bundlePath.toStdString()));
    if (!info || !info->iconFile || info->iconFile->empty())
        return {};
    const QString name = QString::fromStdString(*info->iconFile);
    // A name that tries to leave the bundle's resources is not followed.
    if (name.contains(QLatin1Char('/')) || name == QLatin1String(".."))
        return {};
    const QDir resources(bundlePath + QStringLiteral("/Contents/Resources"));
    const QStringList candidates =
        QFileInfo(name).suffix().isEmpty()
            ? QStringList{name + QStringLiteral(".icns"), name + QStringLiteral(".png")}
            : QStringList{name};
    for (const QString& candidate : candidates) {
        const QString path = resources.filePath(candidate);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

} // namespace

QImage loadBundleIcon(const QString& bundlePath, int maxEdge) {
    const QString path = iconFilePath(bundlePath);
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    // An .icns holds several sizes; take the largest and reduce it once here.
    QImage best;
    do {
        QImage image = reader.read();
        if (!image.isNull() && image.width() > best.width())
            best = std::move(image);
    } while (reader.jumpToNextImage());
    if (best.isNull())
        return {};
    if (best.width() > maxEdge || best.height() > maxEdge)
        best = best.scaled(maxEdge, maxEdge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

AppIconCache::AppIconCache(Loader loader, int limit)
    : cache_(limit)
    , loader_(std::move(loader)) {}

AppIconCache& AppIconCache::shared() {
    static AppIconCache cache([](const QString& path) { return loadBundleIcon(path); });
    return cache;
}

QImage AppIconCache::icon(const QString& bundlePath) {
    const QMutexLocker lock(&mutex_);
    if (const QImage* hit = cache_.object(bundlePath))
        return *hit;
    // A bundle without a readable icon is cached too, so it is not read again.
    auto* image = new QImage(loader_(bundlePath));
    const QImage result = *image;
    cache_.insert(bundlePath, image, 1);
    return result;
}

void AppIconCache::clear() {
    const QMutexLocker lock(&mutex_);
    cache_.clear();
}

int AppIconCache::count() const {
    const QMutexLocker lock(&mutex_);
    return cache_.count();
}

} // namespace orbitdeck
