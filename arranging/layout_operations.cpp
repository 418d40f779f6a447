#include "arranging/layout_operations.h"

#include "layout-core/layout_error.h"
#include "layout-core/layout_reducer.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"

#include <QUuid>

#include <unordered_set>

namespace orbitdeck {

namespace {

const char* newFolderName = "New Folder";

std::string newFolderID() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
}

// One reducer command on the layout's graph; a refusal leaves the layout as it was.
bool applyCommand(LibraryLayout& layout, const LayoutCommand& command) {
    if (!layout.graph)
        return false;
    try {
        layout.graph = LayoutReducer::apply(command, *layout.graph);
        return true;
    } catch (const LayoutError&) {
        return false;
    }
}

// Moves one item to the end of a folder; an item already last stays (no change).
bool appendToFolderEnd(LibraryLayout& layout, const LayoutItem& item, const FolderID& folder) {
    if (!layout.graph)
        return false;
    const std::optional<LayoutFolder> target = layout.folder(folder);
    if (!target)
        return false;
    const std::optional<LayoutPosition> from = layout.position(item);
    if (!from)
        return false;
    auto destination = static_cast<std::int64_t>(target->items.size());
    if (from->container == LayoutContainer::folder(folder)) {
        destination -= 1;
        if (from->index == destination)
            return false;
    }
    return applyCommand(layout,
                        LayoutCommand::move(*from, LayoutPosition{
                                                       .container = LayoutContainer::folder(folder),
                                                       .index = destination,
                                                   }));
}

// A list that already forms the folder's end moves each item and lands where it started:
// that is no change, and must not leave an undo step.
bool appendAll(LibraryLayout& layout, const std::vector<LayoutItem>& items,
               const FolderID& folder) {
    const std::optional<LayoutGraph> before = layout.graph;
    bool moved = false;
    for (const LayoutItem& item : items)
        moved = appendToFolderEnd(layout, item, folder) || moved;
    return moved && layout.graph != before;
}

// Takes every item out, last first, each just after the folder's tile; all or nothing.
bool ungroupAll(LibraryLayout& layout, const FolderID& folder) {
    const std::optional<LayoutFolder> found = layout.folder(folder);
    if (!layout.graph || !found)
        return false;
    for (auto item = found->items.rbegin(); item != found->items.rend(); ++item) {
        if (!layout.moveOutOfFolder(*item, folder))
            return false;
    }
    return true;
}

} // namespace

bool createFolderFromItems(LibraryLayout& layout, const std::vector<LayoutItem>& items) {
    if (items.size() < 2 || items[0].kind != LayoutItem::Kind::application ||
        items[1].kind != LayoutItem::Kind::application || !layout.graph)
        return false;
    if (!applyCommand(layout, LayoutCommand::createFolder(FolderID{newFolderID()}, newFolderName,
                                                          items[1].payload, items[0].payload)))
        return false;
    std::optional<FolderID> folder;
    for (const LayoutItem& tile : layout.pageItems()) {
        if (!tile.isFolder())
            continue;
        const auto candidate = layout.folder(tile.folderID());
        if (candidate && std::find(candidate->items.begin(), candidate->items.end(), items[0]) !=
                             candidate->items.end()) {
            folder = tile.folderID();
            break;
        }
    }
    if (!folder)
        return false;
    appendAll(layout, std::vector<LayoutItem>(items.begin() + 2, items.end()), *folder);
    return true;
}

LayoutOperations::LayoutOperations(AmbergridWindow& window, QObject* parent)
    : QObject(parent)
    , window_(window) {}

bool LayoutOperations::updateLayout(bool recordUndo, const Change& change) {
    return window_.updateLayout(recordUndo, change);
}

bool LayoutOperations::moveItem(const LayoutItem& item, const LayoutItem& target, bool after,
                                const std::optional<std::vector<LayoutItem>>& order,
                                bool recordUndo) {
    return updateLayout(recordUndo, [&](LibraryLayout& layout) {
        if (order && layout.graph) {
            const std::vector<LayoutItem>& page = layout.pageItems();
            const std::unordered_set<LayoutItem> wanted(order->begin(), order->end());
            const std::unordered_set<LayoutItem> present(page.begin(), page.end());
            // Only a reordering of exactly the page's items is written.
            if (*order != page && order->size() == page.size() && wanted == present)
                layout.applyOrder(*order);
        }
        if (item == target)
            return false;
        const std::optional<LayoutPosition> position = layout.position(target);
        if (!position)
            return false;
        return layout.move(item, position->container, position->index + (after ? 1 : 0));
    });
}

bool LayoutOperations::appendItem(const LayoutItem& item, const FolderID& folder, bool recordUndo) {
    return updateLayout(recordUndo, [&](LibraryLayout& layout) {
        const std::optional<LayoutFolder> target = layout.folder(folder);
        if (!target)
            return false;
        return layout.move(item, LayoutContainer::folder(folder),
                           static_cast<std::int64_t>(target->items.size()));
    });
}

bool LayoutOperations::createFolder(const LayoutItem& source, const LayoutItem& target,
                                    bool recordUndo) {
    if (source.kind != LayoutItem::Kind::application ||
        target.kind != LayoutItem::Kind::application)
        return false;
    return updateLayout(recordUndo, [&](LibraryLayout& layout) {
        return applyCommand(layout,
                            LayoutCommand::createFolder(FolderID{newFolderID()}, newFolderName,
                                                        source.payload, target.payload));
    });
}

bool LayoutOperations::ungroupFolder(const FolderID& folder, bool recordUndo) {
    return updateLayout(recordUndo,
                        [&](LibraryLayout& layout) { return ungroupAll(layout, folder); });
}

bool LayoutOperations::moveOutOfFolder(const LayoutItem& item, const FolderID& folder,
                                       bool recordUndo) {
    return updateLayout(
        recordUndo, [&](LibraryLayout& layout) { return layout.moveOutOfFolder(item, folder); });
}

bool LayoutOperations::groupSelectedItems(const std::vector<LayoutItem>& items, bool recordUndo) {
    return updateLayout(
        recordUndo, [&](LibraryLayout& layout) { return createFolderFromItems(layout, items); });
}

bool LayoutOperations::moveSelectedItems(const std::vector<LayoutItem>& items,
                                         const FolderID& folder, bool recordUndo) {
    return updateLayout(recordUndo,
                        [&](LibraryLayout& layout) { return appendAll(layout, items, folder); });
}

bool LayoutOperations::renameFolder(const FolderID& folder, const QString& name, bool recordUndo) {
    return updateLayout(recordUndo, [&](LibraryLayout& layout) {
        return layout.renameFolder(folder, name.toStdString());
    });
}

bool LayoutOperations::commitFolderRename(const QString& folderID, const QString& name) {
    const FolderID id{folderID.toStdString()};
    const std::optional<LayoutFolder> folder = window_.layout()->layout().folder(id);
    if (!folder || name == window_.folderTitle(*folder))
        return false;
    return renameFolder(id, name, true);
}

} // namespace orbitdeck
