// Queries and edits of the library layout: copy, change, validate, swap.
#include "library/library_layout.h"

#include "layout-core/layout_reducer.h"

#include <algorithm>
#include <functional>
#include <unicode/uchar.h>
#include <unicode/utf8.h>
#include <unordered_set>

namespace orbitdeck {
namespace {

bool isBlank(UChar32 c) {
    return c >= 0 && u_hasBinaryProperty(c, UCHAR_WHITE_SPACE);
}

// Trims Unicode white space and line breaks from both ends.
std::string_view trimmed(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    std::int32_t start = 0;
    while (start < length) {
        std::int32_t next = start;
        UChar32 c = 0;
        U8_NEXT(bytes, next, length, c);
        if (!isBlank(c))
            break;
        start = next;
    }
    std::int32_t end = length;
    while (end > start) {
        std::int32_t previous = end;
        UChar32 c = 0;
        U8_PREV(bytes, start, previous, c);
        if (!isBlank(c))
            break;
        end = previous;
    }
    return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

} // namespace

const std::vector<LayoutItem>& LibraryLayout::pageItems() const {
    static const std::vector<LayoutItem> none;
    return graph && !graph->pages().empty() ? graph->pages().front().items : none;
}

std::vector<LayoutFolder> LibraryLayout::folderList() const {
    std::vector<LayoutFolder> list;
    if (!graph)
        return list;
    list.reserve(graph->folders().size());
    for (const auto& entry : graph->folders())
        list.push_back(entry.second);
    return list;
}

bool LibraryLayout::rebuild(std::vector<LayoutItem> items, std::vector<LayoutFolder> folders) {
    try {
        graph = LayoutGraph::make({LayoutPage{.id = pageID, .items = std::move(items)}},
                                  std::move(folders));
        return true;
    } catch (const LayoutError&) {
        return false;
    }
}

bool LibraryLayout::apply(const LayoutCommand& command) {
    if (!graph)
        return false;
    try {
        graph = LayoutReducer::apply(command, *graph);
        return true;
    } catch (const LayoutError&) {
        return false;
    }
}

std::optional<std::size_t> LibraryLayout::index(const LayoutItem& item,
                                                const std::vector<LayoutItem>& items) {
    const auto found = std::find(items.begin(), items.end(), item);
    if (found == items.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - items.begin());
}

std::optional<LayoutPosition> LibraryLayout::position(const LayoutItem& item) const {
    if (!graph)
        return std::nullopt;
    if (const auto onPage = index(item, pageItems()))
        return LayoutPosition{.container = LayoutContainer::page(pageID),
                              .index = static_cast<std::int64_t>(*onPage)};
    for (const auto& [id, folder] : graph->folders())
        if (const auto inFolder = index(item, folder.items))
            return LayoutPosition{.container = LayoutContainer::folder(id),
                                  .index = static_cast<std::int64_t>(*inFolder)};
    return std::nullopt;
}

std::optional<LayoutFolder> LibraryLayout::folder(const FolderID& id) const {
    if (!graph)
        return std::nullopt;
    const LayoutFolder* found = graph->folder(id.rawValue);
    return found ? std::optional<LayoutFolder>(*found) : std::nullopt;
}

std::vector<std::string> LibraryLayout::allApplicationIDs() const {
    std::vector<std::string> ids;
    if (!graph)
        return ids;
    const auto collect = [&](const std::vector<LayoutItem>& items) {
        for (const auto& item : items)
            if (!item.isFolder())
                ids.push_back(item.payload);
    };
    collect(pageItems());
    for (const auto& entry : graph->folders())
        collect(entry.second.items);
    return ids;
}

bool LibraryLayout::remove(const LayoutItem& item) {
    if (!graph)
        return false;
    std::vector<LayoutFolder> kept;
    std::unordered_set<LayoutItem> droppedTiles;
    for (auto folder : folderList()) {
        std::erase(folder.items, item);
        if (folder.items.empty())
            droppedTiles.insert(LayoutItem::folder(folder.id));
        else
            kept.push_back(std::move(folder));
    }
    std::vector<LayoutItem> items = pageItems();
    std::erase_if(items, [&](const LayoutItem& candidate) {
        return candidate == item || droppedTiles.contains(candidate);
    });
    return rebuild(std::move(items), std::move(kept));
}

bool LibraryLayout::move(const LayoutItem& item, const LayoutContainer& container,
                         std::int64_t at) {
    const auto source = position(item);
    if (!source)
        return false;
    if (source->container == container) {
        if (source->index < at)
            --at;
        if (source->index == at)
            return false;
    }
    return apply(LayoutCommand::move(*source, {.container = container, .index = at}));
}

bool LibraryLayout::move(const LayoutItem& item, const LayoutItem& relativeTo, bool after) {
    if (item == relativeTo)
        return false;
    const auto target = position(relativeTo);
    if (!target)
        return false;
    return move(item, target->container, target->index + (after ? 1 : 0));
}

bool LibraryLayout::moveOutOfFolder(const LayoutItem& item, const FolderID& folder) {
    const auto source = position(item);
    if (!source || !source->container.isFolder() || source->container.folderID() != folder)
        return false;
    const auto tile = index(LayoutItem::folder(folder), pageItems());
    if (!tile)
        return false;
    return move(item, LayoutContainer::page(pageID), static_cast<std::int64_t>(*tile) + 1);
}

bool LibraryLayout::renameFolder(const FolderID& id, std::string_view name) {
    const std::string_view trimmedName = trimmed(name);
    if (trimmedName.empty())
        return false;
    return apply(LayoutCommand::renameFolder(id, std::string(trimmedName)));
}

bool LibraryLayout::gatherIntoUtilitiesFolder(const LayoutTextSet& ids) {
    if (!graph)
        return false;
    std::vector<LayoutItem> moved;
    std::vector<LayoutItem> items;
    const LayoutItem utilitiesTile = LayoutItem::folder(FolderID{std::string(utilitiesFolderID)});
    const LayoutFolder* existing = graph->folder(utilitiesFolderID);
    for (const auto& item : pageItems()) {
        if (item.isFolder() || !ids.contains(item.payload)) {
            items.push_back(item);
            continue;
        }
        // A new folder's tile takes the slot of the first gathered item.
        if (moved.empty() && !existing)
            items.push_back(utilitiesTile);
        moved.push_back(item);
    }
    if (moved.empty())
        return false;

    LayoutFolder utilities = existing ? *existing
                                      : LayoutFolder{.id = utilitiesTile.folderID(),
                                                     .name = std::string(utilitiesFolderName),
                                                     .items = {}};
    utilities.items.insert(utilities.items.end(), moved.begin(), moved.end());
    std::vector<LayoutFolder> folders = folderList();
    std::erase_if(folders, [&](const LayoutFolder& folder) { return folder.id == utilities.id; });
    folders.push_back(std::move(utilities));
    return rebuild(std::move(items), std::move(folders));
}

bool LibraryLayout::applyOrder(const std::vector<LayoutItem>& order) {
    if (!graph)
        return false;
    const auto& items = pageItems();
    if (order == items)
        return false;
    // Page items are unique, so equal sizes and every given item on the page means the same set,
    // unless the list repeats one, which the rebuild refuses.
    if (order.size() != items.size())
        return false;
    const std::unordered_set<std::reference_wrapper<const LayoutItem>, std::hash<LayoutItem>,
                             std::equal_to<LayoutItem>>
        onPage(items.begin(), items.end());
    if (!std::all_of(order.begin(), order.end(),
                     [&](const LayoutItem& item) { return onPage.contains(item); }))
        return false;
    return rebuild(order, folderList());
}

bool LibraryLayout::placeFolders(bool first) {
    std::vector<LayoutItem> order = pageItems();
    std::stable_partition(order.begin(), order.end(),
                          [&](const LayoutItem& item) { return item.isFolder() == first; });
    return applyOrder(order);
}

bool LibraryLayout::flatten() {
    if (!graph || graph->folders().empty())
        return false;
    std::vector<LayoutItem> items;
    for (const auto& item : pageItems()) {
        const LayoutFolder* folder = item.isFolder() ? graph->folder(item.payload) : nullptr;
        if (folder)
            items.insert(items.end(), folder->items.begin(), folder->items.end());
        else
            items.push_back(item);
    }
    return rebuild(std::move(items), {});
}

} // namespace orbitdeck
