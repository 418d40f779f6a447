#include "window/qml/app_icon_cache.h"

#include "catalog-core/info_plist.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

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

namespace {

// Of two image sizes, whether candidate serves an edge better than current: one that covers the
// edge beats one that does not, the smaller of two that do, the larger of two that do not.
bool servesBetter(const QSize& candidate, const QSize& current, int edge) {
    if (!current.isValid())
        return true;
    const int have = std::max(current.width(), current.height());
    const int offered = std::max(candidate.width(), candidate.height());
    if ((offered >= edge) != (have >= edge))
        return offered >= edge;
    return offered >= edge ? offered < have : offered > have;
}

} // namespace

// The image of the file at path that serves edge best (an .icns holds several sizes).
QImage bestImage(QImageReader& reader, int edge) {
    QImage best;
    do {
        QImage image = reader.read();
        if (!image.isNull() && servesBetter(image.size(), best.size(), edge))
            best = std::move(image);
    } while (reader.jumpToNextImage());
    return best;
}

QImage loadBundleIcon(const QString& bundlePath, int edge) {
    const QString path = iconFilePath(bundlePath);
    if (path.isEmpty())
        return {};
    // Read as the suffix says, without detection: detecting loads every image plug-in to ask
    // each whether it knows the file. A file whose suffix lies is then read by its contents.
    QImageReader reader(path, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage best = bestImage(reader, edge);
    if (best.isNull()) {
        QImageReader sniffing(path);
        best = bestImage(sniffing, edge);
    }
    if (best.isNull())
        return {};
    if (best.width() > edge || best.height() > edge)
        best = best.scaled(edge, edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

AppIconCache::AppIconCache(Loader loader, int limit)
    : cache_(limit)
    , loader_(std::move(loader)) {}

AppIconCache& AppIconCache::shared() {
    static AppIconCache cache(
        [](const QString& path, int edge) { return loadBundleIcon(path, edge); });
    return cache;
}

QImage AppIconCache::icon(const QString& bundlePath, int edge) {
    const QMutexLocker lock(&mutex_);
    const QString key = bundlePath + QLatin1Char('@') + QString::number(edge);
    if (const QImage* hit = cache_.object(key))
        return *hit;
    // A bundle without a readable icon is cached too, so it is not read again.
    auto* image = new QImage(loader_(bundlePath, edge));
    const QImage result = *image;
    cache_.insert(key, image, 1);
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
