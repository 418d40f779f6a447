#pragma once
// The window's arrangement: one page of tiles and the folders they name, kept as a validated
// graph and stored as a JSON snapshot. Every edit builds a new graph on the side and swaps it in
// only when it validates; a refused edit answers false and leaves the layout as it was.
#include "layout-core/layout_command.h"
#include "layout-core/layout_graph.h"
#include "layout-core/layout_text.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

struct LibraryLayout {
    PageID pageID;
    std::optional<LayoutGraph> graph;

    static constexpr std::string_view utilitiesFolderID = "macos-utilities";
    static constexpr std::string_view utilitiesFolderName = "Other";

    // Items of the graph's first page; empty without a graph or a page.
    const std::vector<LayoutItem>& pageItems() const;

    // None without a graph, or when a text cannot be written as JSON.
    std::optional<std::string> encodedSnapshot() const;
    // Stored bytes plus installed ids in catalog order; never fails, never drops an item.
    void restore(std::string_view data, const std::vector<std::string>& installed);

    static std::optional<std::size_t> index(const LayoutItem& item,
                                            const std::vector<LayoutItem>& items);
    std::optional<LayoutPosition> position(const LayoutItem& item) const;
    std::optional<LayoutFolder> folder(const FolderID& id) const;
    std::vector<std::string> allApplicationIDs() const;

    bool remove(const LayoutItem& item);
    bool moveOutOfFolder(const LayoutItem& item, const FolderID& folder);
    bool renameFolder(const FolderID& id, std::string_view name);
    bool move(const LayoutItem& item, const LayoutItem& relativeTo, bool after);
    // `at` counts the destination's slots before the item leaves it.
    bool move(const LayoutItem& item, const LayoutContainer& container, std::int64_t at);
    bool gatherIntoUtilitiesFolder(const LayoutTextSet& ids);
    bool placeFolders(bool first);
    bool applyOrder(const std::vector<LayoutItem>& order);
    bool flatten();

private:
    bool rebuild(std::vector<LayoutItem> items, std::vector<LayoutFolder> folders);
    bool apply(const LayoutCommand& command);
    std::vector<LayoutFolder> folderList() const;
};

} // namespace orbitdeck
