#include "arranging/rules/page_edge.h"

#include "library/library_layout.h"
#include "platform/main_thread.h"

namespace orbitdeck {

PageEdge::PageEdge(Scheduler& scheduler, QObject* context, Actions actions)
    : actions_(std::move(actions))
    , dwell_(scheduler, context) {}

void PageEdge::setCanAdvance(bool canAdvance) {
    canAdvance_ = canAdvance;
    notify();
}

void PageEdge::setTargeted(bool targeted) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    inside_ = targeted;
    dwell_.cancel();
    if (targeted) {
        didAdvance_ = false;
        if (canAdvance_) {
            dwell_.start(dwell, [this] {
                didAdvance_ = true;
                if (actions_.advance)
                    actions_.advance();
                notify();
            });
        }
    }
    notify();
}

bool PageEdge::drop(const std::optional<LayoutItem>& item) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const bool didAdvance = didAdvance_;
    setTargeted(false);
    if (!item || !actions_.drop)
        return false;
    return actions_.drop(*item, didAdvance);
}

void PageEdge::notify() const {
    if (actions_.changed)
        actions_.changed();
}

std::optional<PageDrop> pageDrop(const LayoutItem& dragged, int page, int shownPageCount,
                                 const std::vector<LayoutItem>& visibleItems, int capacity) {
    if (page < 0 || page >= shownPageCount || capacity <= 0)
        return std::nullopt;
    const auto slot = static_cast<std::size_t>(page) * static_cast<std::size_t>(capacity);
    if (slot >= visibleItems.size())
        return std::nullopt;
    // A tile coming from an earlier page goes after the first tile, so it ends up in its slot.
    const auto from = LibraryLayout::index(dragged, visibleItems);
    return PageDrop{.target = visibleItems[slot], .after = from && *from < slot, .page = page};
}

} // namespace orbitdeck
