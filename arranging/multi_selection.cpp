#include "arranging/multi_selection.h"

#include "arranging/layout_operations.h"
#include "arranging/menu_entries.h"
#include "arranging/undo_actions.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"

#include <algorithm>

namespace orbitdeck {

namespace {

std::optional<std::size_t> indexOf(const std::vector<LayoutItem>& items, const LayoutItem& item) {
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - items.begin());
}

} // namespace

MultiSelection::MultiSelection(AmbergridWindow& window, LayoutOperations& operations,
                               UndoActions& undo, QObject* parent)
    : QObject(parent)
    , window_(window)
    , operations_(operations)
    , undo_(undo) {}

void MultiSelection::toggleSelection(const LayoutItem& item, bool extend) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    SelectionState& selection = *window_.selection();
    SelectionState::ItemSet selected = selection.multiSelection();
    if (extend) {
        std::optional<LayoutItem> anchor = selection.selectionAnchor();
        if (!anchor && !selected.empty())
            anchor = *selected.begin();
        const std::vector<LayoutItem> visible = window_.visible().visibleItems();
        const auto from = anchor ? indexOf(visible, *anchor) : std::nullopt;
        const auto to = indexOf(visible, item);
        if (from && to) {
            for (std::size_t index = std::min(*from, *to); index <= std::max(*from, *to); ++index) {
                if (!visible[index].isFolder())
                    selected.insert(visible[index]);
            }
            selection.setMultiSelection(std::move(selected));
            return;
        }
    }
    if (!selected.erase(item))
        selected.insert(item);
    selection.setMultiSelection(std::move(selected));
}

std::vector<LayoutItem> MultiSelection::selectedItemsInOrder() const {
    const SelectionState::ItemSet& selected = window_.selection()->multiSelection();
    std::vector<LayoutItem> items;
    for (const LayoutItem& item : window_.visible().visibleItems()) {
        if (!item.isFolder() && selected.contains(item))
            items.push_back(item);
    }
    return items;
}

bool MultiSelection::menuApplies(const LayoutItem& item) const {
    const SelectionState::ItemSet& selected = window_.selection()->multiSelection();
    return selected.size() >= 2 && selected.contains(item);
}

bool MultiSelection::modifierClick(const LayoutItem& item, int modifiers) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const bool shift = modifiers & Qt::ShiftModifier;
    const bool control = modifiers & Qt::ControlModifier;
    if ((!shift && !control) || item.kind != LayoutItem::Kind::application ||
        window_.search()->isSearching())
        return false;
    toggleSelection(item, shift);
    if (!shift)
        window_.selection()->setSelectionAnchor(item);
    return true;
}

void MultiSelection::newFolderWithSelection() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::vector<LayoutItem> items = selectedItemsInOrder();
    if (items.size() < 2)
        return;
    operations_.groupSelectedItems(items, true);
    deselectAll();
}

void MultiSelection::moveSelectionToFolder(const QString& folderID) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    operations_.moveSelectedItems(selectedItemsInOrder(), FolderID{folderID.toStdString()}, true);
    deselectAll();
}

void MultiSelection::hideSelectedApps() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    std::vector<std::string> ids;
    for (const LayoutItem& item : selectedItemsInOrder())
        ids.push_back(item.payload);
    if (ids.empty())
        return;
    window_.pushUndo(LibraryUndo{LibraryUndo::Hidden{window_.library()->hiddenIDs()}});
    undo_.hide(ids);
    deselectAll();
    window_.showToast(localizedFormat(QStringLiteral("%lld apps hidden · ⌘Z"), window_.language(),
                                      {static_cast<qint64>(ids.size())}));
}

void MultiSelection::deselectAll() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_.selection()->clearMultiSelection();
}

MenuEntries MultiSelection::menuEntries() const {
    const LibraryLanguage language = window_.language();
    const auto count = static_cast<qint64>(selectedItemsInOrder().size());
    MenuEntries entries{
        MenuEntry::makeText(
            QStringLiteral("tile-menu-selection-count"),
            localizedFormat(QStringLiteral("%lld apps selected"), language, {count})),
        actionEntry(QStringLiteral("tile-menu-new-folder"),
                    localized(QStringLiteral("New Folder with Selection"), language),
                    MenuAction::newFolderWithSelection, {}, count >= 2),
    };
    entries.append(moveToFolderEntries(window_, MenuAction::moveSelectionToFolder));
    entries.append(actionEntry(QStringLiteral("tile-menu-hide-selected"),
                               localized(QStringLiteral("Hide Selected Apps"), language),
                               MenuAction::hideSelectedApps));
    entries.append(MenuEntry::makeSeparator());
    entries.append(actionEntry(QStringLiteral("tile-menu-deselect-all"),
                               localized(QStringLiteral("Deselect All"), language),
                               MenuAction::deselectAll));
    return entries;
}

} // namespace orbitdeck
