#include "platform/folder_events.h"

#include "platform/main_thread.h"

#include <QSocketNotifier>

#include <cerrno>
#include <sys/inotify.h>
#include <unistd.h>

namespace orbitdeck {
namespace {

// Entries created, deleted or renamed in or out (links and unlinks included), and the folder's
// own rename or deletion. Writes inside files and subfolders are not of interest.
constexpr uint32_t watchedEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_MOVE_SELF | IN_DELETE_SELF | IN_ONLYDIR;

class InotifySource final : public FolderEventSource {
public:
    InotifySource(int fd, std::function<void()> onEvent)
        : fd_(fd)
        , notifier_(fd, QSocketNotifier::Read)
        , onEvent_(std::move(onEvent)) {
        QObject::connect(&notifier_, &QSocketNotifier::activated, &notifier_, [this] { read(); });
    }
    ~InotifySource() override {
        notifier_.setEnabled(false);
        ::close(fd_);
    }

private:
    void read() {
        ORBITDECK_ASSERT_MAIN_THREAD();
        alignas(inotify_event) char buffer[16 * 1024];
        bool any = false;
        for (;;) {
            const ssize_t count = ::read(fd_, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                break;
            any = true;
        }
        if (any && onEvent_)
            onEvent_();
    }

    int fd_;
    QSocketNotifier notifier_;
    std::function<void()> onEvent_;
};

} // namespace

std::unique_ptr<FolderEventSource> InotifyFolderEvents::watch(const std::filesystem::path& folder,
                                                              std::function<void()> onEvent) {
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (::inotify_add_watch(fd, folder.c_str(), watchedEvents) < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<InotifySource>(fd, std::move(onEvent));
}

} // namespace orbitdeck
