#include "arranging/drag_session.h"

#include "arranging/drag_pointer.h"
#include "arranging/drag_session_rules.h"
#include "arranging/layout_operations.h"
#include "arranging/rules/drag_payload.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/item_keys.h"
#include "window/qml_singleton.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QRectF>

#include <cmath>
#include <utility>

namespace orbitdeck {

std::optional<LayoutItem> keyItem(const QString& key) {
    return itemFromKey(key);
}

bool moveNextToAsShown(AmbergridWindow& window, LayoutOperations& operations,
                       const LayoutItem& item, const LayoutItem& target, bool after,
                       bool recordUndo) {
    const LibrarySort sort = window.settings()->sortValue();
    const bool sorted = sort != LibrarySort::manual;
    std::optional<std::vector<LayoutItem>> order;
    if (sorted)
        order = window.visible().sortedItems(window.layout()->layout().pageItems(), sort);
    const bool changed = operations.moveItem(item, target, after, order, recordUndo);
    if (changed && sorted)
        window.settings()->setSortValue(LibrarySort::manual);
    return changed;
}

DragSession::DragSession(AmbergridWindow& window, LayoutOperations& operations, QObject* parent)
    : QObject(parent)
    , window_(window)
    , operations_(operations)
    , pointerWatch_(new DragPointer(this)) {
    Scheduler& scheduler = window.scheduler();
    rules_.reset(new DragRules{
        .live = LiveDrag(
            scheduler, this,
            {.moveNextTo =
                 [this](const LayoutItem& item, const LayoutItem& target, bool after,
                        bool recordUndo) {
                     return moveNextToAsShown(window_, operations_, item, target, after,
                                              recordUndo);
                 },
             .clearSelection = [this] { window_.selection()->setSelectedItem(std::nullopt); },
             .pointerButtonDown =
                 [] { return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton); },
             .changed = [this] { mirrorState(); }}),
        .leadingEdge = PageEdge(
            scheduler, this,
            {.advance = [this] { goToPage(window_.paging()->page() - 1); },
             .drop = [this](const LayoutItem& item,
                            bool didAdvance) { return dropOnEdgePage(item, didAdvance, -1); },
             .changed = [this] { emit edgesChanged(); }}),
        .trailingEdge = PageEdge(
            scheduler, this,
            {.advance = [this] { goToPage(window_.paging()->page() + 1); },
             .drop = [this](const LayoutItem& item,
                            bool didAdvance) { return dropOnEdgePage(item, didAdvance, 1); },
             .changed = [this] { emit edgesChanged(); }}),
        .folderLeave = FolderLeave(
            scheduler, this,
            {.draggingItem = [this] { return rules_->live.draggingItem(); },
             .openFolder = [this] { return window_.selection()->openFolder(); },
             .moveOutOfFolder =
                 [this](const LayoutItem& item, const FolderID& folder) {
                     operations_.moveOutOfFolder(item, folder, true);
                 },
             .closeFolder = [this] { window_.selection()->setOpenFolder(std::nullopt); },
             .startArranging = [this] { window_.selection()->setArranging(true); },
             .resetLiveDrag = [this] { rules_->live.reset(); }}),
        .taps = {},
    });
    connect(pointerWatch_, &DragPointer::moved, this, &DragSession::pointerMoved);
    connect(pointerWatch_, &DragPointer::released, this, &DragSession::pointerReleased);
    // Closing the folder by any road ends a pending drag-out.
    connect(window.selection(), &SelectionState::suppressNextTapChanged, this, [this] {
        if (window_.selection()->suppressNextTap())
            rules_->taps.longPressed();
    });
    connect(window.selection(), &SelectionState::openFolderChanged, this, [this] {
        rules_->folderLeave.cancel();
        anchorOpenedFolder();
    });
}

DragSession::~DragSession() = default;

bool DragSession::dragging() const {
    return rules_->live.draggingItem().has_value();
}

QString DragSession::draggingItem() const {
    const auto& item = rules_->live.draggingItem();
    return item ? itemKey(*item) : QString();
}

bool DragSession::leadingEdgeLit() const {
    return rules_->leadingEdge.highlighted();
}

bool DragSession::trailingEdgeLit() const {
    return rules_->trailingEdge.highlighted();
}

void DragSession::attach(QQuickWindow* window) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    pointerWatch_->watch(window);
}

void DragSession::pressTile(const QString& key, QPointF scenePosition, const QString& icon,
                            double iconSize, bool anyMode) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    pressedKey_ = key;
    pressedAnyMode_ = anyMode;
    lastPressedKey_ = key;
    lastPressedAt_ = scenePosition;
    rules_->taps.pressed();
    pressedAt_ = scenePosition;
    pressedIcon_ = icon;
    pressedSize_ = iconSize;
}

void DragSession::pointerMoved(QPointF scenePosition, bool leftButtonDown) {
    if (dragging()) {
        if (draggingOut_)
            return;
        pointer_ = scenePosition;
        emit pointerChanged();
        const QQuickWindow* shown = pointerWatch_->window();
        if (shown && !QRectF(0, 0, shown->width(), shown->height()).contains(scenePosition)) {
            draggingOut_ = true;
            emit draggingOutChanged();
            emit dragOutRequested();
        }
        return;
    }
    if (pressedKey_.isEmpty() || !leftButtonDown)
        return;
    const QPointF travel = scenePosition - pressedAt_;
    if (std::hypot(travel.x(), travel.y()) < dragDistance)
        return;
    const QString key = std::exchange(pressedKey_, QString());
    const auto item = itemFromKey(key);
    // Only arranging mode drags; a search shows no arrangeable tiles.
    if (!item || window_.search()->isSearching() ||
        !(pressedAnyMode_ || window_.selection()->arranging()))
        return;
    pointerWatch_->takeOver();
    pointer_ = scenePosition;
    proxyIcon_ = pressedIcon_;
    proxySize_ = pressedSize_;
    offer(*item);
    rules_->live.begin(*item);
    emit pointerChanged();
}

void DragSession::pointerReleased() {
    releasePress();
    if (!dragging() || draggingOut_)
        return;
    emit dropRequested();
    endDrag();
}

void DragSession::releasePress() {
    pressedKey_.clear();
    if (const auto press = rules_->taps.current(); press && rules_->taps.released(*press)) {
        // The long press's mark ends with its release: after the click of this press (if any)
        // has been swallowed, so a press that turned into a drag leaves no mark behind.
        window_.scheduler().schedule(std::chrono::milliseconds(0), this,
                                     [this] { window_.selection()->setSuppressNextTap(false); });
    }
}

void DragSession::dragOutEnded() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!std::exchange(draggingOut_, false))
        return;
    // The platform's drag took the release: it ends the press here.
    releasePress();
    endDrag();
    emit draggingOutChanged();
}

QVariantMap DragSession::outgoingData() const {
    QVariantMap data;
    if (!payload_.isEmpty())
        data.insert(QString::fromUtf8(libraryItemContentType), payload_);
    if (appUrl_.isValid())
        data.insert(QStringLiteral("text/uri-list"),
                    QString::fromLatin1(appUrl_.toEncoded()) + "\r\n");
    return data;
}

void DragSession::endDrag() {
    // The release ends the drag, whether or not anything took the drop.
    rules_->leadingEdge.setTargeted(false);
    rules_->trailingEdge.setTargeted(false);
    rules_->folderLeave.cancel();
    if (dragging())
        rules_->live.reset();
}

void DragSession::mirrorState() {
    SelectionState& selection = *window_.selection();
    selection.setDraggingItem(rules_->live.draggingItem());
    selection.setActiveDropTile(rules_->live.activeDropTile());
    const auto& pending = rules_->live.pendingMove();
    selection.setPendingReorder(
        pending ? std::optional(PendingReorder{.target = pending->target, .after = pending->after})
                : std::nullopt);
    if (draggingItem() != mirroredDragging_) {
        mirroredDragging_ = draggingItem();
        emit draggingChanged();
    }
}

void DragSession::offer(const LayoutItem& item) {
    const LibraryDragOffer offered =
        libraryDragOffer(item, [this](const std::string& id) -> std::optional<std::string> {
            const QString path = window_.library()->appPath(QString::fromStdString(id));
            if (path.isEmpty())
                return std::nullopt;
            return path.toStdString();
        });
    payload_ = QString::fromStdString(offered.payload.value_or(std::string()));
    appUrl_ = offered.bundlePath ? QUrl::fromLocalFile(QString::fromStdString(*offered.bundlePath))
                                 : QUrl();
    suggestedName_ = QString::fromStdString(offered.suggestedName);
}

void DragSession::goToPage(int target) {
    PagingState& paging = *window_.paging();
    const int current = paging.page();
    if (target < 0 || target >= window_.pageCount() || target == current)
        return;
    paging.setDirection(target > current ? PagingState::Direction::trailing
                                         : PagingState::Direction::leading);
    paging.setPage(target, window_.settings()->fluidMotion());
}

void DragSession::anchorOpenedFolder() {
    const auto& folder = window_.selection()->openFolder();
    const QQuickWindow* shown = pointerWatch_->window();
    if (!folder || !shown || lastPressedKey_ != itemKey(LayoutItem::folder(*folder)))
        return;
    const UnitPoint anchor = folderAnchor(std::pair{lastPressedAt_.x(), lastPressedAt_.y()},
                                          shown->width(), shown->height());
    window_.selection()->setFolderAnchor(QPointF(anchor.x, anchor.y));
    lastPressedKey_.clear();
}

DragSession* DragSession::create(QQmlEngine* qml, QJSEngine* js) {
    return ProvidedSingleton<DragSession>::create(qml, js);
}

void installLiveDrag(AmbergridWindow& window, LayoutOperations& operations) {
    ProvidedSingleton<DragSession>::provide(new DragSession(window, operations, &window));
}

} // namespace orbitdeck
