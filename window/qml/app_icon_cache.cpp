#include "window/qml/app_icon_cache.h"

#include "catalog-core/desktop_entry.h"
#include "catalog-core/icon_theme.h"
#include "catalog-core/info_plist.h"
#include "catalog-core/scanned_desktop_entries.h"
#include "platform/desktop_settings.h"
#include "platform/durable_file.h"
#include "window/qml/rendered_icon_store.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QThread>
#include <QThreadPool>

#include <sys/stat.h>

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

QString keyOf(const QString& bundlePath, int edge) {
    return bundlePath + QLatin1Char('@') + QString::number(edge);
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
    return loadIconFile(path, edge);
}

namespace {

QMutex storeMutex;
std::shared_ptr<RenderedIconStore> storeInUse; // guarded by storeMutex

std::shared_ptr<RenderedIconStore> renderedIconStore() {
    const QMutexLocker lock(&storeMutex);
    return storeInUse;
}

// The stamp of a regular file within cap (links followed), as the icon's own read demands.
std::optional<FileStamp> iconFileStamp(const QString& path, qint64 cap) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > cap)
        return std::nullopt;
    return FileStamp{.device = quint64(status.st_dev),
                     .inode = quint64(status.st_ino),
                     .size = qint64(status.st_size),
                     .modifiedNanoseconds =
                         qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

QImage drawIconFile(const QString& path, const QString& suffix, bool drawing, int edge) {
    // Non-blocking and regular files only: a FIFO in a theme must not hang the reader; capped, so
    // one huge file costs neither seconds nor a gigabyte.
    auto read = readFileCapped(path, drawing ? maxDrawingIconBytes : maxRasterIconBytes);
    auto* bytes = std::get_if<QByteArray>(&read);
    if (!bytes)
        return {};
    if (drawing) {
        QSvgRenderer renderer(*bytes);
        if (!renderer.isValid())
            return {};
        QSize size = renderer.defaultSize();
        size = size.isEmpty() ? QSize(edge, edge) : size.scaled(edge, edge, Qt::KeepAspectRatio);
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        return image;
    }
    // Read as the suffix says, without detection: detecting loads every image plug-in to ask
    // each whether it knows the file. A file whose suffix lies is then read by its contents.
    QBuffer buffer(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, suffix.toLatin1());
    reader.setAutoDetectImageFormat(false);
    QImage best = bestImage(reader, edge);
    if (best.isNull()) {
        buffer.seek(0);
        QImageReader sniffing(&buffer);
        best = bestImage(sniffing, edge);
    }
    if (best.isNull())
        return {};
    if (best.width() > edge || best.height() > edge)
        best = best.scaled(edge, edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return best.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

void useRenderedIconStore(std::shared_ptr<RenderedIconStore> store) {
    const QMutexLocker lock(&storeMutex);
    storeInUse = std::move(store);
}

QImage loadIconFile(const QString& path, int edge) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    const bool drawing = suffix == QLatin1String("svg") || suffix == QLatin1String("svgz");
    const auto store = renderedIconStore();
    if (!store)
        return drawIconFile(path, suffix, drawing, edge);
    const auto stamp = iconFileStamp(path, drawing ? maxDrawingIconBytes : maxRasterIconBytes);
    if (!stamp)
        return {};
    if (auto kept = store->find(path, *stamp, edge))
        return *kept;
    QImage image = drawIconFile(path, suffix, drawing, edge);
    store->keep(path, *stamp, edge, image);
    return image;
}

namespace {

IconThemeLookup& machineIconTheme() {
    // Made by the first icon read, on a worker: naming the theme may ask gsettings.
    static IconThemeLookup lookup(
        IconThemeLookup::machineFolders(desktop_settings::iconThemeName().toStdString()));
    return lookup;
}

} // namespace

void prepareDesktopIconTheme() {
    QThreadPool::globalInstance()->start([] {
        // Without a folder desktop entries come from, no icon is looked up in a theme.
        const auto folders = desktopEntryFolders();
        if (std::ranges::any_of(folders, [](const std::filesystem::path& folder) {
                std::error_code error;
                return std::filesystem::is_directory(folder, error);
            }))
            machineIconTheme().prepare();
    });
}

QImage loadDesktopEntryIcon(const QString& entryPath, int edge) {
    const std::string path = entryPath.toStdString();
    // The scan that listed the entry read its icon already.
    std::string icon;
    if (auto scanned = scannedDesktopEntry(path))
        icon = std::move(scanned->icon);
    else if (auto entry = readDesktopEntry(path, {}))
        icon = entry->icon.value_or("");
    if (icon.empty())
        return {};
    const auto file = machineIconTheme().find(icon, edge);
    return file ? loadIconFile(QString::fromStdString(file->string()), edge) : QImage();
}

QImage loadApplicationIcon(const QString& path, int edge) {
    return path.endsWith(QLatin1String(".desktop")) ? loadDesktopEntryIcon(path, edge)
                                                    : loadBundleIcon(path, edge);
}

namespace {

// Workers past the usual few, for reads someone waits for while the others are busy.
constexpr int maxUrgentReaders = 8;

} // namespace

AppIconCache::AppIconCache(Loader loader, int limit)
    : cache_(limit)
    // A few readers: the tiles of a page overlap their reads with the making of the others.
    , maxReaders_(std::clamp(QThread::idealThreadCount() - 1, 1, 4))
    , loader_(std::move(loader)) {
    pool_.setMaxThreadCount(maxReaders_ + maxUrgentReaders);
}

AppIconCache::~AppIconCache() {
    // Reads not begun are dropped; those under way end before the members go.
    const QMutexLocker lock(&mutex_);
    queue_.clear();
    while (readers_ > 0)
        readDone_.wait(&mutex_);
}

AppIconCache& AppIconCache::shared() {
    static AppIconCache cache(
        [](const QString& path, int edge) { return loadApplicationIcon(path, edge); });
    return cache;
}

std::optional<QImage> AppIconCache::icon(const QString& bundlePath, int edge,
                                         QDeadlineTimer deadline, std::function<void()> ready) {
    const QString key = keyOf(bundlePath, edge);
    QMutexLocker lock(&mutex_);
    if (const QImage* hit = cache_.object(key))
        return *hit;
    ReadPtr read = reads_.value(key);
    if (!read)
        read = beginRead(key, bundlePath, edge);
    if (!read->begun) {
        std::erase(queue_, read);
        queue_.push_front(read);
        startReader(/*urgent=*/true);
    }
    while (!read->done) {
        if (!readDone_.wait(&mutex_, deadline))
            break;
    }
    if (read->done)
        return read->image;
    if (ready)
        read->ready.push_back(std::move(ready));
    return std::nullopt;
}

QImage AppIconCache::icon(const QString& bundlePath, int edge) {
    return icon(bundlePath, edge, QDeadlineTimer::Forever).value_or(QImage());
}

void AppIconCache::prefetch(const QString& bundlePath, int edge) {
    const QString key = keyOf(bundlePath, edge);
    const QMutexLocker lock(&mutex_);
    if (cache_.contains(key) || reads_.contains(key))
        return;
    queue_.push_back(beginRead(key, bundlePath, edge));
    startReader(/*urgent=*/false);
}

AppIconCache::ReadPtr AppIconCache::beginRead(const QString& key, const QString& bundlePath,
                                              int edge) {
    auto read = std::make_shared<Read>();
    read->key = key;
    read->bundlePath = bundlePath;
    read->edge = edge;
    reads_.insert(key, read);
    return read;
}

void AppIconCache::startReader(bool urgent) {
    if (readers_ >= (urgent ? maxReaders_ + maxUrgentReaders : maxReaders_))
        return;
    ++readers_;
    pool_.start([this] { readQueued(); });
}

void AppIconCache::perform(const ReadPtr& read, QMutexLocker<QMutex>& lock) {
    read->begun = true;
    lock.unlock();
    QImage image = loader_(read->bundlePath, read->edge);
    lock.relock();
    read->image = image;
    read->done = true;
    // A clear since the read began took it out of reads_: what it read may be out of date.
    if (reads_.value(read->key) == read) {
        reads_.remove(read->key);
        // A bundle without a readable icon is cached too, so it is not read again.
        cache_.insert(read->key, new QImage(image), 1);
    }
    readDone_.wakeAll();
    const auto ready = std::move(read->ready);
    read->ready.clear();
    lock.unlock();
    for (const auto& action : ready)
        action();
    lock.relock();
}

void AppIconCache::readQueued() {
    QMutexLocker lock(&mutex_);
    while (!queue_.empty()) {
        const ReadPtr read = queue_.front();
        queue_.pop_front();
        if (!read->begun)
            perform(read, lock);
    }
    --readers_;
    readDone_.wakeAll();
}

void AppIconCache::clear() {
    const QMutexLocker lock(&mutex_);
    queue_.clear();
    reads_.clear();
    cache_.clear();
}

int AppIconCache::count() const {
    const QMutexLocker lock(&mutex_);
    return cache_.count();
}

} // namespace orbitdeck
