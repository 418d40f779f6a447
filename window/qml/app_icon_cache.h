#pragma once

#include <QCache>
#include <QImage>
#include <QMutex>
#include <QString>

#include <functional>

namespace orbitdeck {

// The icon a bundle declares: Contents/Resources/<CFBundleIconFile> (.icns or .png), reduced to
// at most maxEdge pixels. A null image when the bundle names none or it cannot be read.
QImage loadBundleIcon(const QString& bundlePath, int maxEdge = 256);

// One process-wide cache of application icons keyed by bundle path, so paging, scrolling and
// hovering never read a bundle twice. Emptied only by the manual refresh and its own eviction.
class AppIconCache {
public:
    using Loader = std::function<QImage(const QString& bundlePath)>;
    static constexpr int defaultLimit = 256;

    explicit AppIconCache(Loader loader, int limit = defaultLimit);

    static AppIconCache& shared();

    QImage icon(const QString& bundlePath);
    void clear();
    int count() const;

private:
    mutable QMutex mutex_; // the image provider may call in from Qt's loader threads
    QCache<QString, QImage> cache_;
    Loader loader_;
};

} // namespace orbitdeck
