#pragma once

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QString>

#include <functional>

namespace orbitdeck {

// The icon a bundle declares: Contents/Resources/<CFBundleIconFile> (.icns or .png), reduced to
// fit edge x edge pixels (never enlarged). Of the sizes an .icns holds, the smallest covering
// the edge is used. A null image when the bundle names none or it cannot be read.
QImage loadBundleIcon(const QString& bundlePath, int edge = 256);

// One process-wide cache of application icons keyed by bundle path and edge, so paging,
// scrolling and hovering never read a bundle twice, and each entry holds the icon at the size it
// is drawn rather than the file's full size. Emptied only by the manual refresh and its own
// eviction.
class AppIconCache {
public:
    using Loader = std::function<QImage(const QString& bundlePath, int edge)>;
    static constexpr int defaultLimit = 256;

    explicit AppIconCache(Loader loader, int limit = defaultLimit);

    static AppIconCache& shared();

    QImage icon(const QString& bundlePath, int edge);
    void clear();
    int count() const;

private:
    mutable QMutex mutex_; // the image provider may call in from Qt's loader threads
    QCache<QString, QImage> cache_;
    Loader loader_;
};

} // namespace orbitdeck
