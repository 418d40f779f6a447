#pragma once
// The grid rearranging itself under a dragged tile: merge targets, moves committed after a short
// delay and followed by a cooldown, one undo step per drag, and a watch that ends a drag whose
// release nobody handled.
#include "arranging/rules/live_drag_timer.h"
#include "arranging/rules/live_drag_zones.h"
#include "layout-core/layout_item.h"
#include "platform/scheduler.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class QObject;

namespace orbitdeck {

struct PendingMove {
    LayoutItem target;
    bool after = false;

    friend bool operator==(const PendingMove&, const PendingMove&) = default;
};

class LiveDrag {
public:
    struct Actions {
        // Places item next to target in the order the grid shows (a sorted grid is written as
        // shown and turns manual). Records an undo step only when asked and the layout changed.
        // Answers whether the layout changed.
        std::function<bool(const LayoutItem& item, const LayoutItem& target, bool after,
                           bool recordUndo)>
            moveNextTo;
        std::function<void()> clearSelection;
        std::function<bool()> pointerButtonDown;
        // The dragged tile, the merge target or the pending move changed.
        std::function<void()> changed;
    };

    static constexpr std::chrono::milliseconds commitDelay{90};
    static constexpr std::chrono::milliseconds cooldown{220};
    static constexpr std::chrono::milliseconds firstButtonCheck{300};
    static constexpr std::chrono::milliseconds buttonCheckInterval{150};
    static constexpr std::chrono::milliseconds releaseGrace{250};

    // Scheduled work is bound to context and dies with it.
    LiveDrag(Scheduler& scheduler, QObject* context, Actions actions);
    LiveDrag(const LiveDrag&) = delete;
    LiveDrag& operator=(const LiveDrag&) = delete;

    void begin(const LayoutItem& item);
    // No location: the drag left the tile.
    void hover(const LayoutItem& target, std::optional<TilePoint> location, TileMetrics metrics);
    void reset();

    const std::optional<LayoutItem>& draggingItem() const { return dragging_; }
    const std::optional<LayoutItem>& activeDropTile() const { return activeDropTile_; }
    const std::optional<PendingMove>& pendingMove() const { return pending_; }
    bool undoRecorded() const { return undoRecorded_; }

private:
    void leave(const LayoutItem& target);
    void commit(std::uint64_t drag, const PendingMove& move);
    void watchButton(std::uint64_t drag, std::chrono::milliseconds delay);
    bool isCurrent(std::uint64_t drag) const { return dragging_ && drag == drag_; }
    void notify() const;

    Actions actions_;
    DragTimer commitTimer_;
    DragTimer watchTimer_;
    std::optional<LayoutItem> dragging_;
    std::optional<LayoutItem> activeDropTile_;
    std::optional<PendingMove> pending_;
    MonotonicTime cooldownUntil_{};
    bool undoRecorded_ = false;
    // Each drag has its own number, so timers of an earlier drag never act on a later one.
    std::uint64_t drag_ = 0;
};

} // namespace orbitdeck
