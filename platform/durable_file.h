#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <variant>

namespace orbitdeck {

// Which version of a file a reader saw: a replaced file has another inode, a file rewritten in
// place another size or modification time.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path (links followed); none when there is none.
std::optional<FileStamp> fileStamp(const QString& path);

// Replaces the file at path with bytes so that after a crash or power loss the path holds
// either the old or the new content in full: temporary file, fsync, rename, fsync of the folder.
// Creates the parent folder when needed. A symbolic link is followed, so a linked configuration
// file stays linked, but no folder is created for its target: a dangling link must not make
// folders anywhere it points. Answers whether every step succeeded; written, when given, gets
// the stamp of the file written.
bool writeFileDurably(const QString& path, const QByteArray& bytes, FileStamp* written = nullptr);

// The same for a file the user chose to save: no folder is made, the file is created with the
// umask's permissions rather than private ones, and a failure answers the system's reason
// (empty on success).
QString saveChosenFile(const QString& path, const QByteArray& bytes);

// Replaces the file at path by one rename, so a reader never sees half of it, but without the
// syncs: for a file only read on this machine while we run, rewritten too often to sync each
// time. No folder is made.
bool replaceFileAtOnce(const QString& path, const QByteArray& bytes);

struct FileMissing {};
struct FileUnreadable {}; // exists but cannot be opened or read (permissions, I/O)
struct FileTooLarge {};
struct FileNotRegular {}; // a FIFO, socket, device or folder in place of the file
using FileReadResult =
    std::variant<QByteArray, FileMissing, FileUnreadable, FileTooLarge, FileNotRegular>;

// Removes the temporary files that writers of path left behind when they were killed; a file of
// a process that still runs is left alone.
void removeStaleTemporaries(const QString& path);

// Reads a whole regular file, refusing anything over maxBytes so a corrupt file cannot exhaust
// memory. Never blocks on a special file: a FIFO put in place of a user's file is refused.
FileReadResult readFileCapped(const QString& path, qint64 maxBytes);

// Moves path aside to "<path>.unreadable-<n>" for the smallest free n, never replacing an
// existing file. Answers the new path, or empty when the move failed.
QString moveFileAside(const QString& path);

} // namespace orbitdeck
