#include "arranging/drag_session.h"

#include "arranging/drag_session_rules.h"
#include "arranging/layout_operations.h"
#include "arranging/rules/arrange_wiggle.h"
#include "arranging/rules/drag_payload.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/item_keys.h"

namespace orbitdeck {

void DragSession::hoverTile(const QString& key, double x, double y, double w, double h, double s) {
    if (const auto target = keyItem(key))
        rules_->live.hover(*target, TilePoint{.x = x, .y = y},
                           {.width = w, .height = h, .iconSize = s});
}

void DragSession::leaveTile(const QString& key) {
    if (const auto target = keyItem(key))
        rules_->live.hover(*target, std::nullopt, {});
}

bool DragSession::dropOnTile(const QString& key, double x, double y, double w, double h, double s) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto target = keyItem(key);
    if (!target)
        return false;
    const std::optional<LayoutItem> dragged = rules_->live.draggingItem();
    const TileDrop drop =
        tileDrop(dragged, *target, {.x = x, .y = y}, {.width = w, .height = h, .iconSize = s});
    if (drop.action == TileDrop::Action::refuse)
        return false;
    rules_->live.reset();
    switch (drop.action) {
    case TileDrop::Action::makeFolder:
        return operations_.createFolder(*dragged, *target, true);
    case TileDrop::Action::moveIntoFolder:
        return operations_.appendItem(*dragged, target->folderID(), true);
    default:
        moveNextToAsShown(window_, operations_, *dragged, *target, drop.after, true);
        return true;
    }
}

void DragSession::edgeTargeted(bool trailing, bool targeted) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    PageEdge& edge = trailing ? rules_->trailingEdge : rules_->leadingEdge;
    if (targeted && !dragging())
        return;
    const int neighbour = window_.paging()->page() + (trailing ? 1 : -1);
    edge.setCanAdvance(neighbour >= 0 && neighbour < window_.pageCount());
    edge.setTargeted(targeted);
}

bool DragSession::dropOnEdge(bool trailing, const QString& payload) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    PageEdge& edge = trailing ? rules_->trailingEdge : rules_->leadingEdge;
    const auto drag = readLibraryDrag(payload.toStdString());
    return edge.drop(drag ? std::optional(drag->item) : std::nullopt);
}

bool DragSession::dropOnEdgePage(const LayoutItem& item, bool didAdvance, int step) {
    const int current = std::min(window_.paging()->page(), window_.pageCount() - 1);
    return dropFirstOnPage(item, pageEdgeDropPage(didAdvance, current, current + step));
}

bool DragSession::dropOnPageDot(int page, const QString& payload) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto drag = readLibraryDrag(payload.toStdString());
    if (!drag || window_.search()->isSearching())
        return false;
    return dropFirstOnPage(drag->item, page);
}

bool DragSession::dropFirstOnPage(const LayoutItem& item, int page) {
    const auto plan = pageDrop(item, page, window_.pageCount(), window_.visible().visibleItems(),
                               window_.paging()->navCapacity());
    if (!plan || !moveNextToAsShown(window_, operations_, item, plan->target, plan->after, true))
        return false;
    goToPage(plan->page);
    return true;
}

void DragSession::hoverFolderBackdrop(const QString& folderID) {
    rules_->folderLeave.schedule(FolderID{folderID.toStdString()});
}

void DragSession::hoverFolderPanel() {
    rules_->folderLeave.cancel();
}

bool DragSession::dropOnFolderBackdrop(const QString& folderID) {
    return rules_->folderLeave.dropOnBackdrop(FolderID{folderID.toStdString()});
}

bool DragSession::dropOnFolderPanel() {
    rules_->live.reset();
    return true;
}

bool DragSession::dropInFolder(const QString& key, double x, double cellWidth) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const auto target = keyItem(key);
    const auto dragged = rules_->live.draggingItem();
    rules_->live.reset();
    if (!target || !dragged || *dragged == *target)
        return false;
    const bool after = placesAfterInFolder(x, cellWidth);
    // Folder contents keep their own order: the sort is neither read nor changed.
    return operations_.updateLayout(true, [&](LibraryLayout& layout) {
        const auto position = layout.position(*target);
        return position &&
               layout.move(*dragged, position->container, position->index + (after ? 1 : 0));
    });
}

FolderGeometry DragSession::folderGeometry(int shownCount, int gridColumns, double iconSize) const {
    return FolderGeometry(orbitdeck::folderPanelGeometry(
        static_cast<std::size_t>(std::max(shownCount, 0)), gridColumns, iconSize));
}

QList<TileId> DragSession::shownFolderItems(const QString& folderID) const {
    const auto folder = window_.layout()->layout().folder(FolderID{folderID.toStdString()});
    if (!folder)
        return {};
    const LibraryState& library = *window_.library();
    return tileIds(orbitdeck::shownFolderItems(
        folder->items, [&](const std::string& id) { return library.showsInFolder(id); }));
}

QString DragSession::folderTitle(const QString& folderID) const {
    const auto folder = window_.layout()->layout().folder(FolderID{folderID.toStdString()});
    return folder ? window_.folderTitle(*folder) : QString();
}

WiggleMotion DragSession::wiggleTiming(const QString& key) const {
    const auto item = keyItem(key);
    const WiggleTiming timing = orbitdeck::wiggleTiming(item ? wiggleSeed(*item) : 0);
    return {.duration = qRound(timing.duration * 1000),
            .delay = qRound(timing.delay * 1000),
            .angle = wiggleDegrees,
            .lift = wiggleLift};
}

} // namespace orbitdeck
