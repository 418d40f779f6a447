#pragma once

#include <QCache>
#include <QDeadlineTimer>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QString>
#include <QThreadPool>
#include <QWaitCondition>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace orbitdeck {

// The icon a bundle declares: Contents/Resources/<CFBundleIconFile> (.icns or .png), reduced to
// fit edge x edge pixels (never enlarged). Of the sizes an .icns holds, the smallest covering
// the edge is used. A null image when the bundle names none or it cannot be read.
QImage loadBundleIcon(const QString& bundlePath, int edge = 256);

// Real icons are far smaller; a file over its cap is not read at all.
inline constexpr qint64 maxDrawingIconBytes = 4 * 1024 * 1024; // SVG, SVGZ
inline constexpr qint64 maxRasterIconBytes = 16 * 1024 * 1024;

// The icon an image file holds (PNG, XPM and the like, or SVG drawn at the edge), fitted into
// edge x edge pixels (raster images are never enlarged); null when it cannot be read, is not a
// regular file or is over its cap.
QImage loadIconFile(const QString& path, int edge);

class RenderedIconStore;

// Icon files read from now on are drawn once per file and size into store, and read back from
// it while the file is unchanged; none (the default) draws every time.
void useRenderedIconStore(std::shared_ptr<RenderedIconStore> store);

// The Icon= of a desktop entry through the machine's icon theme (an absolute path as is).
QImage loadDesktopEntryIcon(const QString& entryPath, int edge);

// Starts naming the desktop's icon theme and reading its index on a worker, so that the first
// desktop-entry icon need not wait for either.
void prepareDesktopIconTheme();

// The icon of an application, a bundle or a desktop entry by its path.
QImage loadApplicationIcon(const QString& path, int edge);

// One process-wide cache of application icons keyed by bundle path and edge, so paging,
// scrolling and hovering never read a bundle twice, and each entry holds the icon at the size it
// is drawn rather than the file's full size. Emptied only by the manual refresh and its own
// eviction. Icons are read on the cache's workers, never on the thread that asks, and each at
// most once at a time: who asks while it is being read waits for that read, as long as it chose.
class AppIconCache {
public:
    using Loader = std::function<QImage(const QString& bundlePath, int edge)>;
    static constexpr int defaultLimit = 256;

    explicit AppIconCache(Loader loader, int limit = defaultLimit);
    ~AppIconCache();

    static AppIconCache& shared();

    // The icon when it is cached or its read ends before deadline (a read not begun is started
    // first, ahead of the prefetched ones). Else none, and ready runs once the read has ended,
    // on the worker that read it, so that the caller can ask again.
    std::optional<QImage> icon(const QString& bundlePath, int edge, QDeadlineTimer deadline,
                               std::function<void()> ready = {});
    // The same, waiting as long as the read takes.
    QImage icon(const QString& bundlePath, int edge);
    // Queues the icon for a worker unless it is cached or being read, so that a later icon()
    // finds it ready. Cheap: a tile calls it as it is made.
    void prefetch(const QString& bundlePath, int edge);
    void clear();
    int count() const;

private:
    struct Read {
        QString key, bundlePath;
        int edge = 0;
        bool begun = false, done = false;
        QImage image;
        std::vector<std::function<void()>> ready;
    };
    using ReadPtr = std::shared_ptr<Read>;

    ReadPtr beginRead(const QString& key, const QString& bundlePath, int edge);
    // Starts a worker while fewer than the limit run; urgent: also past it (up to a hard cap),
    // so that a read someone waits for is not stuck behind slow ones.
    void startReader(bool urgent);
    // Reads with the lock released; caches the result unless the cache was cleared meanwhile.
    void perform(const ReadPtr& read, QMutexLocker<QMutex>& lock);
    void readQueued();

    mutable QMutex mutex_; // tiles, image responses and workers call in from several threads
    QWaitCondition readDone_;
    QCache<QString, QImage> cache_;
    QHash<QString, ReadPtr> reads_; // queued or under way
    std::deque<ReadPtr> queue_;     // in the order they are to be read
    int readers_ = 0;               // workers draining the queue
    const int maxReaders_;
    Loader loader_;
    QThreadPool pool_;
};

} // namespace orbitdeck
