#include "arranging/rules/live_drag_timer.h"

namespace orbitdeck {

void DragTimer::start(std::chrono::milliseconds delay, std::function<void()> action) {
    cancel();
    const std::uint64_t generation = generation_;
    token_ = scheduler_.schedule(delay, context_, [this, generation, action = std::move(action)] {
        if (generation != generation_)
            return;
        token_.reset();
        ++generation_;
        action();
    });
}

void DragTimer::cancel() {
    if (token_)
        scheduler_.cancel(*token_);
    token_.reset();
    ++generation_;
}

} // namespace orbitdeck
