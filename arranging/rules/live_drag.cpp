#include "arranging/rules/live_drag.h"

#include "platform/main_thread.h"

namespace orbitdeck {

LiveDrag::LiveDrag(Scheduler& scheduler, QObject* context, Actions actions)
    : actions_(std::move(actions))
    , commitTimer_(scheduler, context)
    , watchTimer_(scheduler, context) {}

void LiveDrag::begin(const LayoutItem& item) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    commitTimer_.cancel();
    ++drag_;
    dragging_ = item;
    activeDropTile_.reset();
    pending_.reset();
    undoRecorded_ = false;
    if (actions_.clearSelection)
        actions_.clearSelection();
    watchButton(drag_, firstButtonCheck);
    notify();
}

void LiveDrag::hover(const LayoutItem& target, std::optional<TilePoint> location,
                     TileMetrics metrics) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!location || !dragging_ || *dragging_ == target) {
        leave(target);
        return;
    }
    if (insideMergeZone(*dragging_, target, *location, metrics)) {
        commitTimer_.cancel();
        pending_.reset();
        activeDropTile_ = target;
        notify();
        return;
    }
    if (activeDropTile_ == target)
        activeDropTile_.reset();
    const PendingMove move{.target = target, .after = placesAfter(*location, metrics)};
    // Hovering on over the spot of the last committed move schedules nothing more; inside the
    // cooldown the hover is ignored and the next pointer update after it schedules the move.
    if (pending_ != move && commitTimer_.now() >= cooldownUntil_) {
        pending_ = move;
        commitTimer_.start(commitDelay, [this, drag = drag_, move] { commit(drag, move); });
    }
    notify();
}

void LiveDrag::leave(const LayoutItem& target) {
    if (activeDropTile_ == target)
        activeDropTile_.reset();
    if (pending_ && pending_->target == target) {
        commitTimer_.cancel();
        pending_.reset();
    }
    notify();
}

void LiveDrag::commit(std::uint64_t drag, const PendingMove& move) {
    if (!isCurrent(drag) || pending_ != move)
        return;
    // The first move that changes the layout records the layout from before the drag; moves
    // that change nothing leave no undo step.
    if (!actions_.moveNextTo(*dragging_, move.target, move.after, !undoRecorded_))
        return;
    undoRecorded_ = true;
    cooldownUntil_ = commitTimer_.now() + cooldown;
    notify();
}

void LiveDrag::reset() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    commitTimer_.cancel();
    pending_.reset();
    activeDropTile_.reset();
    dragging_.reset();
    notify();
}

void LiveDrag::watchButton(std::uint64_t drag, std::chrono::milliseconds delay) {
    watchTimer_.start(delay, [this, drag] {
        if (isCurrent(drag) && actions_.pointerButtonDown && actions_.pointerButtonDown()) {
            watchButton(drag, buttonCheckInterval);
            return;
        }
        watchTimer_.start(releaseGrace, [this, drag] {
            if (isCurrent(drag))
                reset();
        });
    });
}

void LiveDrag::notify() const {
    if (actions_.changed)
        actions_.changed();
}

} // namespace orbitdeck
