#include "platform/scheduler.h"

#include "platform/main_thread.h"

#include <QTimer>

namespace orbitdeck {

struct QtScheduler::Pending {
    QPointer<QTimer> timer;
};

MonotonicTime QtScheduler::now() const {
    return std::chrono::steady_clock::now();
}

Scheduler::Token QtScheduler::schedule(std::chrono::milliseconds delay, QObject* context,
                                       Action action) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const Token token = nextToken_++;
    auto pending = std::make_shared<Pending>();
    auto* timer = new QTimer(context);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    pending->timer = timer;
    pending_[token] = pending;
    QObject::connect(timer, &QTimer::timeout, timer,
                     [this, token, timer, action = std::move(action)] {
                         pending_.erase(token);
                         timer->deleteLater();
                         action();
                     });
    timer->start(delay);
    return token;
}

void QtScheduler::cancel(Token token) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto found = pending_.find(token);
    if (found == pending_.end())
        return;
    if (QTimer* timer = found->second->timer) {
        timer->stop();
        timer->deleteLater();
    }
    pending_.erase(found);
}

Scheduler::Token VirtualScheduler::schedule(std::chrono::milliseconds delay, QObject* context,
                                            Action action) {
    const Token token = nextToken_++;
    queue_.emplace(
        std::pair{now_ + delay, token},
        Entry{.context = context, .hasContext = context != nullptr, .action = std::move(action)});
    return token;
}

void VirtualScheduler::cancel(Token token) {
    std::erase_if(queue_, [token](const auto& entry) { return entry.first.second == token; });
}

void VirtualScheduler::advance(std::chrono::milliseconds step) {
    const MonotonicTime end = now_ + step;
    while (!queue_.empty() && queue_.begin()->first.first <= end) {
        auto node = queue_.extract(queue_.begin());
        now_ = node.key().first;
        Entry& entry = node.mapped();
        if (entry.hasContext && entry.context.isNull())
            continue;
        entry.action();
    }
    now_ = end;
}

} // namespace orbitdeck
