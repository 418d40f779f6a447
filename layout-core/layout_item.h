#pragma once
// One slot of a page or a folder: an application, a folder tile or a placeholder.
#include "layout-core/layout_ids.h"

#include <cstdint>
#include <functional>
#include <string>

namespace orbitdeck {

struct LayoutItem {
    // Case order matters: the index takes part in hashing.
    enum class Kind : std::uint8_t { application, folder, placeholder };

    Kind kind = Kind::application;
    // The application or placeholder identity, or the folder id's raw value for a folder tile.
    std::string payload;

    static LayoutItem application(std::string id) {
        return {.kind = Kind::application, .payload = std::move(id)};
    }
    static LayoutItem folder(FolderID id) {
        return {.kind = Kind::folder, .payload = std::move(id.rawValue)};
    }
    static LayoutItem placeholder(std::string id) {
        return {.kind = Kind::placeholder, .payload = std::move(id)};
    }

    bool isFolder() const { return kind == Kind::folder; }
    FolderID folderID() const { return FolderID{payload}; }

    friend bool operator==(const LayoutItem& a, const LayoutItem& b) {
        return a.kind == b.kind && textEquals(a.payload, b.payload);
    }
};

} // namespace orbitdeck

template <>
struct std::hash<orbitdeck::LayoutItem> {
    std::size_t operator()(const orbitdeck::LayoutItem& item) const {
        const std::size_t text = orbitdeck::textHash(item.payload);
        return text ^ (static_cast<std::size_t>(item.kind) + 0x9e3779b97f4a7c15ULL + (text << 6) +
                       (text >> 2));
    }
};
