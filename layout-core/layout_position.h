#pragma once
// Where an item lives (a page or a folder) and a slot inside it.
#include "layout-core/layout_ids.h"

#include <cstdint>
#include <string>

namespace orbitdeck {

struct LayoutContainer {
    enum class Kind : std::uint8_t { page, folder };

    Kind kind = Kind::page;
    std::string id;

    static LayoutContainer page(PageID id) {
        return {.kind = Kind::page, .id = std::move(id.rawValue)};
    }
    static LayoutContainer folder(FolderID id) {
        return {.kind = Kind::folder, .id = std::move(id.rawValue)};
    }

    bool isFolder() const { return kind == Kind::folder; }
    PageID pageID() const { return PageID{id}; }
    FolderID folderID() const { return FolderID{id}; }

    friend bool operator==(const LayoutContainer& a, const LayoutContainer& b) {
        return a.kind == b.kind && textEquals(a.id, b.id);
    }
};

struct LayoutPosition {
    LayoutContainer container;
    std::int64_t index = 0;

    friend bool operator==(const LayoutPosition&, const LayoutPosition&) = default;
};

} // namespace orbitdeck
