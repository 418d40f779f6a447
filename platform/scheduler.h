#pragma once

#include <QObject>
#include <QPointer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace orbitdeck {

using MonotonicTime = std::chrono::steady_clock::time_point;

// The one seam every delay goes through, so state code can run on virtual time in tests.
// An action is bound to a context object: it is dropped when the context is destroyed first.
class Scheduler {
public:
    using Token = std::uint64_t;
    using Action = std::function<void()>;

    virtual ~Scheduler() = default;

    // Monotonic now: never moves back when the wall clock does.
    virtual MonotonicTime now() const = 0;
    // Runs action on the main thread after delay; the token cancels it.
    virtual Token schedule(std::chrono::milliseconds delay, QObject* context, Action action) = 0;
    virtual void cancel(Token token) = 0;
};

// Real time: QTimer single shots on the thread of the context object.
class QtScheduler final : public Scheduler {
public:
    MonotonicTime now() const override;
    Token schedule(std::chrono::milliseconds delay, QObject* context, Action action) override;
    void cancel(Token token) override;

private:
    struct Pending;
    std::map<Token, std::shared_ptr<Pending>> pending_;
    Token nextToken_ = 1;
};

// Virtual time for tests: nothing runs until advance() moves the clock past an action's time.
// Actions due at the same time run in the order they were scheduled.
class VirtualScheduler final : public Scheduler {
public:
    MonotonicTime now() const override { return now_; }
    Token schedule(std::chrono::milliseconds delay, QObject* context, Action action) override;
    void cancel(Token token) override;

    // Runs every action due up to now + step (including ones scheduled while advancing).
    void advance(std::chrono::milliseconds step);
    std::size_t pendingCount() const { return queue_.size(); }

private:
    struct Entry {
        QPointer<QObject> context;
        bool hasContext = false;
        Action action;
    };
    // Keyed by (due time, token) so equal times keep scheduling order.
    std::map<std::pair<MonotonicTime, Token>, Entry> queue_;
    MonotonicTime now_{};
    Token nextToken_ = 1;
};

} // namespace orbitdeck
