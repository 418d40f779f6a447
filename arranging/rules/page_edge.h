#pragma once
// A strip at one side of the page: resting a dragged tile on it turns the page once per visit,
// and a drop on it (or on a page dot) makes the tile the first of the page it names.
#include "arranging/rules/live_drag_timer.h"
#include "layout-core/layout_item.h"
#include "platform/scheduler.h"

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class QObject;

namespace orbitdeck {

class PageEdge {
public:
    struct Actions {
        std::function<void()> advance;
        // The item and whether this visit already turned the page; answers whether it was taken.
        std::function<bool(const LayoutItem& item, bool didAdvance)> drop;
        std::function<void()> changed;
    };

    static constexpr std::chrono::milliseconds dwell{600};

    PageEdge(Scheduler& scheduler, QObject* context, Actions actions);
    PageEdge(const PageEdge&) = delete;
    PageEdge& operator=(const PageEdge&) = delete;

    // Whether a page lies in this strip's direction.
    void setCanAdvance(bool canAdvance);
    void setTargeted(bool targeted);
    // No item (an undecodable payload) refuses the drop.
    bool drop(const std::optional<LayoutItem>& item);

    bool inside() const { return inside_; }
    bool didAdvance() const { return didAdvance_; }
    bool highlighted() const { return inside_ && (canAdvance_ || didAdvance_); }

private:
    void notify() const;

    Actions actions_;
    DragTimer dwell_;
    bool canAdvance_ = false;
    bool inside_ = false;
    bool didAdvance_ = false;
};

// Where a drop aimed at the first slot of a page lands.
struct PageDrop {
    LayoutItem target;
    bool after = false;
    int page = 0;
};

// None when the page has no first tile (beyond the shown pages or the visible items).
std::optional<PageDrop> pageDrop(const LayoutItem& dragged, int page, int shownPageCount,
                                 const std::vector<LayoutItem>& visibleItems, int capacity);

// The page a page-edge drop aims at: the page shown once the strip turned it, else the neighbour.
inline int pageEdgeDropPage(bool didAdvance, int currentPage, int neighbourPage) {
    return didAdvance ? currentPage : neighbourPage;
}

} // namespace orbitdeck
