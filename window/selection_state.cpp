#include "window/selection_state.h"

#include "window/item_keys.h"
#include "window/state_assign.h"

namespace orbitdeck {

namespace {

QString optionalKey(const std::optional<LayoutItem>& item) {
    return item ? itemKey(*item) : QString();
}

} // namespace

void SelectionState::setArranging(bool arranging) {
    assignAndNotify(this, arranging_, arranging, &SelectionState::arrangingChanged);
}

void SelectionState::setSelectedItem(std::optional<LayoutItem> item) {
    assignAndNotify(this, selectedItem_, std::move(item), &SelectionState::selectedItemChanged);
}

QString SelectionState::selectedItemKey() const {
    return optionalKey(selectedItem_);
}

void SelectionState::setMultiSelection(ItemSet items) {
    assignAndNotify(this, multiSelection_, std::move(items),
                    &SelectionState::multiSelectionChanged);
}

QStringList SelectionState::multiSelectionKeys() const {
    QStringList keys;
    for (const LayoutItem& item : multiSelection_)
        keys.append(itemKey(item));
    keys.sort();
    return keys;
}

void SelectionState::setDraggingItem(std::optional<LayoutItem> item) {
    assignAndNotify(this, draggingItem_, std::move(item), &SelectionState::draggingItemChanged);
}

QString SelectionState::draggingItemKey() const {
    return optionalKey(draggingItem_);
}

void SelectionState::setActiveDropTile(std::optional<LayoutItem> item) {
    assignAndNotify(this, activeDropTile_, std::move(item), &SelectionState::activeDropTileChanged);
}

QString SelectionState::activeDropTileKey() const {
    return optionalKey(activeDropTile_);
}

void SelectionState::setOpenFolder(std::optional<FolderID> folder) {
    assignAndNotify(this, openFolder_, std::move(folder), &SelectionState::openFolderChanged);
}

QString SelectionState::openFolderID() const {
    return openFolder_ ? QString::fromStdString(openFolder_->rawValue) : QString();
}

void SelectionState::setFolderAnchor(QPointF anchor) {
    assignAndNotify(this, folderAnchor_, anchor, &SelectionState::folderAnchorChanged);
}

void SelectionState::setSuppressNextTap(bool suppress) {
    assignAndNotify(this, suppressNextTap_, suppress, &SelectionState::suppressNextTapChanged);
}

} // namespace orbitdeck
