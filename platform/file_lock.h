#pragma once

#include "catalog-core/file_descriptor.h"

#include <QString>

#include <chrono>

namespace orbitdeck {

// An exclusive advisory lock (flock) on a lock file, held as long as the object lives. The
// kernel lets go of it when the process ends, even by a crash, so a lock file left behind never
// keeps anyone out. Two objects on one path exclude each other, also within one process.
class FileLock {
public:
    enum class State {
        held,
        busy,   // someone else held it for the whole wait
        failed, // the lock file cannot be opened or locked
    };

    // Creates the lock file when needed and takes the lock, waiting at most patience while
    // someone else holds it.
    explicit FileLock(const QString& path,
                      std::chrono::milliseconds patience = std::chrono::milliseconds(0));
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return state_; }
    bool held() const { return state_ == State::held; }

private:
    FileDescriptor fd_;
    State state_ = State::failed;
};

} // namespace orbitdeck
