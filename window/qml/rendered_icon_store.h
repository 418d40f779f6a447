#pragma once

#include "platform/durable_file.h"

#include <QImage>
#include <QString>

#include <atomic>
#include <mutex>
#include <optional>

namespace orbitdeck {

// Icons as drawn at the size a tile asks for, kept on disk between runs so that a drawing (an SVG
// of a real theme costs over half a millisecond) is drawn once per file and size, not at every
// start. One file per icon and size, named after the source file's path, device, inode, size
// and modification time and the edge: a changed source gets a new name, and the old one ages
// out. A file is trusted only whole (magic, its own key, dimensions, length and checksum hold).
class RenderedIconStore {
public:
    static constexpr qint64 defaultCapBytes = 64 * 1024 * 1024;

    explicit RenderedIconStore(QString folder, qint64 capBytes = defaultCapBytes);

    // $XDG_CACHE_HOME/orbitdeck/icons (else ~/.cache/...); empty when neither is known.
    static QString defaultFolder();

    const QString& folder() const { return folder_; }

    // The icon drawn earlier from the file at source for edge, when the file still has stamp.
    std::optional<QImage> find(const QString& source, const FileStamp& stamp, int edge) const;
    // Keeps image as the icon of the file at source, as it was at stamp, for edge (renamed into
    // place, so a reader never sees half of it). Failing costs a later start a drawing, nothing
    // more. Now and then drops the oldest files while the folder holds more than the cap.
    void keep(const QString& source, const FileStamp& stamp, int edge, const QImage& image);
    // Drops the oldest icons until the folder holds at most three quarters of the cap, once it
    // holds more than the cap, and what killed writers left behind.
    void trim() const;

private:
    QString folder_;
    qint64 capBytes_;
    std::once_flag folderMade_;
    std::atomic<int> kept_ = 0;
    std::atomic<bool> failed_ = false; // a folder that refuses writes is not asked again
};

} // namespace orbitdeck
