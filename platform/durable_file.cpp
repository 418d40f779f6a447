#include "platform/durable_file.h"

#include "catalog-core/file_descriptor.h"
#include "platform/platform_log.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orbitdeck {
namespace {

int openRetrying(const QByteArray& path, int flags, mode_t mode = 0) {
    int fd;
    do
        fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

bool writeAll(int fd, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

bool syncFolder(const QByteArray& folder) {
    FileDescriptor fd(openRetrying(folder, O_RDONLY | O_DIRECTORY));
    return fd.valid() && ::fsync(fd.get()) == 0;
}

} // namespace

namespace {

FileStamp stampOf(const struct stat& status) {
    return FileStamp{
        .device = static_cast<quint64>(status.st_dev),
        .inode = static_cast<quint64>(status.st_ino),
        .size = static_cast<qint64>(status.st_size),
        .modifiedNanoseconds =
            static_cast<qint64>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
    };
}

} // namespace

std::optional<FileStamp> fileStamp(const QString& path) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return stampOf(status);
}

namespace {

struct WriteOptions {
    bool makeFolders = true;
    mode_t mode = 0600;
    bool sync = true;
};

// The one writer behind every entry point. Answers 0, or the errno of the step that failed.
int writeDurably(const QString& path, const QByteArray& bytes, WriteOptions options,
                 FileStamp* written) {
    const QFileInfo link(path);
    // A dangling link has no canonical path yet; its target is where the file belongs.
    QString resolved = link.isSymLink() ? link.canonicalFilePath() : QString();
    if (resolved.isEmpty() && link.isSymLink())
        resolved = link.symLinkTarget();
    const QFileInfo info(resolved.isEmpty() ? path : resolved);
    // Folders are made for our own path only, never along a link to somewhere else.
    const bool makeFolders = options.makeFolders && !link.isSymLink();
    if (!(makeFolders ? QDir().mkpath(info.absolutePath())
                      : QFileInfo(info.absolutePath()).isDir()))
        return ENOENT;
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    // One temporary name per thread: two threads writing the same file (one icon drawn for two
    // applications) would otherwise truncate and rename each other's, and a writer killed
    // mid-write leaves at most one behind. The process id comes last, where the sweep reads it.
    const QByteArray temporary = QFile::encodeName(QStringLiteral("%1/.%2.%3.%4.tmp")
                                                       .arg(info.absolutePath(), info.fileName())
                                                       .arg(::gettid())
                                                       .arg(::getpid()));
    FileDescriptor fd(openRetrying(temporary, O_WRONLY | O_CREAT | O_TRUNC, options.mode));
    if (!fd.valid())
        return errno;
    struct stat status {};
    const bool flushed = writeAll(fd.get(), bytes) && (!options.sync || ::fsync(fd.get()) == 0) &&
                         ::fstat(fd.get(), &status) == 0;
    if (!(flushed && fd.close()) || ::rename(temporary.constData(), target.constData()) != 0) {
        const int failure = errno != 0 ? errno : EIO;
        ::unlink(temporary.constData());
        return failure;
    }
    if (written)
        *written = stampOf(status);
    return !options.sync || syncFolder(QFile::encodeName(info.absolutePath())) ? 0 : errno;
}

} // namespace

namespace {

int logged(const QString& path, int failure) {
    if (failure != 0)
        qCWarning(platformLog).noquote()
            << "cannot write" << path << ":" << qt_error_string(failure);
    return failure;
}

FileReadResult refused(const QString& path, FileReadResult result, const QString& reason) {
    qCWarning(platformLog).noquote() << "cannot read" << path << ":" << reason;
    return result;
}

} // namespace

bool writeFileDurably(const QString& path, const QByteArray& bytes, FileStamp* written) {
    return logged(path, writeDurably(path, bytes, {}, written)) == 0;
}

bool replaceFileAtOnce(const QString& path, const QByteArray& bytes) {
    return logged(path,
                  writeDurably(path, bytes, {.makeFolders = false, .mode = 0666, .sync = false},
                               nullptr)) == 0;
}

QString saveChosenFile(const QString& path, const QByteArray& bytes) {
    // The user picked an existing folder; a file meant for others is readable as the umask says.
    const int failure =
        logged(path, writeDurably(path, bytes, {.makeFolders = false, .mode = 0666}, nullptr));
    return failure == 0 ? QString() : qt_error_string(failure);
}

void removeStaleTemporaries(const QString& path) {
    const QFileInfo info(path);
    QDir folder = info.absoluteDir();
    // ".<file>.<thread>.<pid>.tmp", matched by hand: a name filter is a regular expression to
    // compile, and this runs at every start.
    const QString prefix = u'.' + info.fileName() + u'.';
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!name.startsWith(prefix) || !name.endsWith(u".tmp"))
            continue;
        bool ok = false;
        const pid_t writer = name.section(u'.', -2, -2).toInt(&ok);
        if (ok && writer > 0 && ::kill(writer, 0) != 0 && errno == ESRCH)
            folder.remove(name);
    }
}

FileReadResult readFileCapped(const QString& path, qint64 maxBytes) {
    // Non-blocking, or opening a FIFO would wait for a writer that never comes.
    FileDescriptor fd(openRetrying(QFile::encodeName(path), O_RDONLY | O_NONBLOCK | O_NOCTTY));
    if (!fd.valid())
        return errno == ENOENT ? FileReadResult{FileMissing{}}
                               : refused(path, FileUnreadable{}, qt_error_string(errno));
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return refused(path, FileUnreadable{}, qt_error_string(errno));
    if (!S_ISREG(status.st_mode))
        return refused(path, FileNotRegular{}, QStringLiteral("no regular file"));
    if (status.st_size > maxBytes)
        return refused(path, FileTooLarge{}, QStringLiteral("larger than %1 bytes").arg(maxBytes));
    QByteArray bytes;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            return refused(path, FileUnreadable{}, qt_error_string(errno));
        }
        if (count == 0)
            return bytes;
        bytes.append(buffer, count);
        if (bytes.size() > maxBytes)
            return refused(path, FileTooLarge{},
                           QStringLiteral("larger than %1 bytes").arg(maxBytes));
    }
}

QString moveFileAside(const QString& path) {
    const QByteArray source = QFile::encodeName(path);
    for (int n = 1; n < 1000; ++n) {
        const QString aside = path + QStringLiteral(".unreadable-") + QString::number(n);
        const QByteArray target = QFile::encodeName(aside);
        // link() fails instead of replacing, so an earlier aside file is never lost.
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            syncFolder(QFile::encodeName(QFileInfo(path).absolutePath()));
            return aside;
        }
        if (errno != EEXIST) {
            qCWarning(platformLog).noquote()
                << "cannot move" << path << "aside:" << qt_error_string(errno);
            return {};
        }
    }
    qCWarning(platformLog).noquote() << "cannot move" << path << "aside: no free name";
    return {};
}

} // namespace orbitdeck
