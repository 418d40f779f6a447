#include "platform/file_lock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>

namespace orbitdeck {

namespace {
constexpr int retryIntervalMs = 5;
} // namespace

FileLock::FileLock(const QString& path, std::chrono::milliseconds patience)
    : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY,
                 0600)) {
    if (!fd_.valid())
        return;
    const QDeadlineTimer deadline(patience);
    for (;;) {
        if (::flock(fd_.get(), LOCK_EX | LOCK_NB) == 0) {
            state_ = State::held;
            return;
        }
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return;
        if (deadline.hasExpired()) {
            state_ = State::busy;
            return;
        }
        QThread::msleep(retryIntervalMs);
    }
}

} // namespace orbitdeck
