#pragma once
// The whole arrangement: ordered pages and the folders their tiles name. A graph only comes from
// make() or the reducer, and both validate, so a graph that exists is valid.
#include "layout-core/layout_error.h"
#include "layout-core/layout_ids.h"
#include "layout-core/layout_item.h"
#include "layout-core/layout_position.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

struct LayoutPage {
    PageID id;
    std::vector<LayoutItem> items;

    friend bool operator==(const LayoutPage&, const LayoutPage&) = default;
};

struct LayoutFolder {
    FolderID id;
    std::string name;
    std::vector<LayoutItem> items;

    friend bool operator==(const LayoutFolder& a, const LayoutFolder& b) {
        return a.id == b.id && textEquals(a.name, b.name) && a.items == b.items;
    }
};

// Folder ids in code-point order; lookups by raw text without building a FolderID.
struct FolderIDLess {
    using is_transparent = void;
    bool operator()(const FolderID& a, const FolderID& b) const { return a < b; }
    bool operator()(std::string_view a, const FolderID& b) const {
        return textCompare(a, b.rawValue) < 0;
    }
    bool operator()(const FolderID& a, std::string_view b) const {
        return textCompare(a.rawValue, b) < 0;
    }
};

// Iterates in folder-id order, which makes every walk over the folders deterministic.
using LayoutFolderMap = std::map<FolderID, LayoutFolder, FolderIDLess>;

class LayoutGraph {
public:
    // Builds and validates; a folder id repeated in the list fails before any other check.
    static LayoutGraph make(std::vector<LayoutPage> pages, std::vector<LayoutFolder> folders);

    // Throws the first offence in walk order.
    void validate() const;

    const std::vector<LayoutPage>& pages() const { return pages_; }
    const LayoutFolderMap& folders() const { return folders_; }
    const LayoutFolder* folder(std::string_view id) const;

    // A copy of a container's items; throws missingPage or missingFolder.
    std::vector<LayoutItem> items(const LayoutContainer& container) const;

    struct ApplicationLocation {
        std::size_t page = 0;
        std::size_t index = 0;
        friend bool operator==(const ApplicationLocation&, const ApplicationLocation&) = default;
    };
    // The first application item with this text standing directly on a page; placeholders and
    // folder contents do not count. Throws applicationNotOnPage.
    ApplicationLocation locateApplication(std::string_view text) const;

    friend bool operator==(const LayoutGraph&, const LayoutGraph&) = default;

private:
    friend class LayoutReducer;
    LayoutGraph() = default;

    // The reducer edits its own copy in place; nothing is validated until it is done.
    std::vector<LayoutItem>& mutableItems(const LayoutContainer& container);
    void setItems(std::vector<LayoutItem> items, const LayoutContainer& container) {
        mutableItems(container) = std::move(items);
    }

    template <typename Graph>
    static auto& containerItems(Graph& graph, const LayoutContainer& container);

    std::vector<LayoutPage> pages_;
    LayoutFolderMap folders_;
};

} // namespace orbitdeck
