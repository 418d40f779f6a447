#include "window/qml/rendered_icon_store.h"

#include "catalog-core/icon_theme.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace orbitdeck {

namespace {

// Native byte order: a cache is never shared between machines, and one of another order fails
// the magic.
struct Header {
    quint32 magic = 0x4f444943; // "CIDO"
    quint32 version = 1;
    quint32 width = 0;
    quint32 height = 0;
    quint32 keyLength = 0;
    quint32 reserved = 0;
    quint64 checksum = 0;
};
static_assert(sizeof(Header) == 32);

// Cheap and good enough to tell a damaged file: no adversary writes into our own cache folder.
quint64 checksumOf(const char* data, qsizetype length, quint64 hash) {
    constexpr quint64 multiplier = 0x9e3779b97f4a7c15ULL;
    qsizetype at = 0;
    for (; at + 8 <= length; at += 8) {
        quint64 word = 0;
        std::memcpy(&word, data + at, 8);
        hash = (hash ^ word) * multiplier;
        hash ^= hash >> 29;
    }
    for (; at < length; ++at)
        hash = (hash ^ static_cast<unsigned char>(data[at])) * multiplier;
    return hash;
}

quint64 checksumOf(const QByteArray& key, const uchar* pixels, qsizetype length) {
    return checksumOf(reinterpret_cast<const char*>(pixels), length,
                      checksumOf(key.constData(), key.size(), 0));
}

QByteArray keyOf(const QString& source, const FileStamp& stamp, int edge) {
    return source.toUtf8() + '\n' + QByteArray::number(stamp.device) + ':' +
           QByteArray::number(stamp.inode) + ':' + QByteArray::number(stamp.size) + ':' +
           QByteArray::number(stamp.modifiedNanoseconds) + '@' + QByteArray::number(edge);
}

QString fileNameOf(const QByteArray& key) {
    return QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex()) +
           QStringLiteral(".icon");
}

QByteArray encode(const QByteArray& key, const QImage& drawn) {
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const qsizetype row = qsizetype(image.width()) * 4;
    QByteArray pixels(row * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(pixels.data() + row * y, image.constScanLine(y), row);
    Header header;
    header.width = image.width();
    header.height = image.height();
    header.keyLength = key.size();
    header.checksum =
        checksumOf(key, reinterpret_cast<const uchar*>(pixels.constData()), pixels.size());
    return QByteArray(reinterpret_cast<const char*>(&header), sizeof header) + key + pixels;
}

std::optional<QImage> decode(const QByteArray& bytes, const QByteArray& key, int edge) {
    Header header;
    if (bytes.size() < qsizetype(sizeof header))
        return std::nullopt;
    std::memcpy(&header, bytes.constData(), sizeof header);
    const Header expected;
    if (header.magic != expected.magic || header.version != expected.version || header.width < 1 ||
        header.height < 1 || header.width > quint32(edge) || header.height > quint32(edge) ||
        header.keyLength != quint32(key.size()))
        return std::nullopt;
    const qsizetype row = qsizetype(header.width) * 4;
    const qsizetype pixelBytes = row * header.height;
    if (bytes.size() != qsizetype(sizeof header) + key.size() + pixelBytes ||
        bytes.mid(sizeof header, key.size()) != key)
        return std::nullopt;
    const auto* pixels =
        reinterpret_cast<const uchar*>(bytes.constData()) + sizeof header + key.size();
    if (checksumOf(key, pixels, pixelBytes) != header.checksum)
        return std::nullopt;
    QImage image(int(header.width), int(header.height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return std::nullopt;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), pixels + row * y, row);
    return image;
}

} // namespace

RenderedIconStore::RenderedIconStore(QString folder, qint64 capBytes)
    : folder_(std::move(folder))
    , capBytes_(capBytes) {}

QString RenderedIconStore::defaultFolder() {
    const std::filesystem::path cache = launcherCacheFolder();
    return cache.empty() ? QString() : QFile::decodeName((cache / "icons").c_str());
}

std::optional<QImage> RenderedIconStore::find(const QString& source, const FileStamp& stamp,
                                              int edge) const {
    if (edge < 1)
        return std::nullopt;
    const QByteArray key = keyOf(source, stamp, edge);
    // As capped and as careful as the read of an icon itself: a FIFO or a huge file put here
    // is no icon.
    const qint64 largest = qint64(sizeof(Header)) + key.size() + qint64(edge) * edge * 4;
    auto read = readFileCapped(folder_ + QLatin1Char('/') + fileNameOf(key), largest);
    const auto* bytes = std::get_if<QByteArray>(&read);
    return bytes ? decode(*bytes, key, edge) : std::nullopt;
}

void RenderedIconStore::keep(const QString& source, const FileStamp& stamp, int edge,
                             const QImage& image) {
    if (image.isNull() || edge < 1 || folder_.isEmpty() || failed_.load())
        return;
    std::call_once(folderMade_, [this] {
        // Private: the icons tell which programs are installed.
        QDir().mkpath(QFileInfo(folder_).path());
        ::mkdir(QFile::encodeName(folder_).constData(), 0700);
    });
    const QByteArray key = keyOf(source, stamp, edge);
    if (!replaceFileAtOnce(folder_ + QLatin1Char('/') + fileNameOf(key), encode(key, image))) {
        failed_.store(true);
        return;
    }
    // Each run looks once, and again every few hundred icons drawn.
    if (kept_.fetch_add(1) % 256 == 0)
        trim();
}

void RenderedIconStore::trim() const {
    // Matched by hand: a name filter would compile a regular expression on every sweep.
    QFileInfoList icons;
    // What a writer killed between write and rename left behind (".<name>.<thread>.<pid>.tmp").
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-3600);
    for (const QFileInfo& file : QDir(folder_).entryInfoList(QDir::Files | QDir::Hidden)) {
        const QString name = file.fileName();
        if (name.startsWith(QLatin1Char('.')) && name.endsWith(QLatin1String(".tmp")) &&
            name.contains(QLatin1String(".icon."))) {
            if (file.lastModified() < stale)
                QFile::remove(file.filePath());
        } else if (!name.startsWith(QLatin1Char('.')) && name.endsWith(QLatin1String(".icon"))) {
            icons.append(file);
        }
    }
    qint64 total = 0;
    for (const QFileInfo& file : icons)
        total += file.size();
    if (total <= capBytes_)
        return;
    std::sort(icons.begin(), icons.end(), [](const QFileInfo& a, const QFileInfo& b) {
        return a.lastModified() < b.lastModified();
    });
    for (const QFileInfo& file : icons) {
        if (total <= capBytes_ / 4 * 3)
            break;
        if (QFile::remove(file.filePath()))
            total -= file.size();
    }
}

} // namespace orbitdeck
