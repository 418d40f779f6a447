#pragma once
// One pending timer of the drag rules. Starting it again or cancelling it means the earlier
// action never runs, even if the scheduler still delivers it (already due when cancelled).
#include "platform/scheduler.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class QObject;

namespace orbitdeck {

class DragTimer {
public:
    DragTimer(Scheduler& scheduler, QObject* context)
        : scheduler_(scheduler)
        , context_(context) {}
    ~DragTimer() { cancel(); }
    DragTimer(const DragTimer&) = delete;
    DragTimer& operator=(const DragTimer&) = delete;

    void start(std::chrono::milliseconds delay, std::function<void()> action);
    void cancel();
    bool pending() const { return token_.has_value(); }
    MonotonicTime now() const { return scheduler_.now(); }

private:
    Scheduler& scheduler_;
    QObject* context_;
    std::optional<Scheduler::Token> token_;
    std::uint64_t generation_ = 0;
};

} // namespace orbitdeck
