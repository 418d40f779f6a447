#pragma once
// Short builders for layout fixtures, and a way to ask what a construction or command throws.
#include "layout-core/layout_graph.h"
#include "layout-core/layout_reducer.h"

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace orbitdeck {

// Readable failure messages.
inline void PrintTo(const LayoutError& error, std::ostream* out) {
    *out << error.what() << "(" << error.text();
    if (const auto& position = error.position())
        *out << (position->container.isFolder() ? "folder " : "page ") << position->container.id
             << " @" << position->index;
    *out << ")";
}
inline void PrintTo(const LayoutItem& item, std::ostream* out) {
    static constexpr const char* names[] = {"app", "folder", "placeholder"};
    *out << names[static_cast<int>(item.kind)] << "(" << item.payload << ")";
}

} // namespace orbitdeck

namespace orbitdeck::testing {

inline LayoutItem app(std::string id) {
    return LayoutItem::application(std::move(id));
}
inline LayoutItem tile(std::string id) {
    return LayoutItem::folder(FolderID{std::move(id)});
}
inline LayoutItem hole(std::string id) {
    return LayoutItem::placeholder(std::move(id));
}

inline LayoutPage page(std::string id, std::vector<LayoutItem> items) {
    return {.id = PageID{std::move(id)}, .items = std::move(items)};
}
inline LayoutFolder folder(std::string id, std::vector<LayoutItem> items, std::string name = "F") {
    return {.id = FolderID{std::move(id)}, .name = std::move(name), .items = std::move(items)};
}

inline LayoutPosition onPage(std::string id, std::int64_t index) {
    return {.container = LayoutContainer::page(PageID{std::move(id)}), .index = index};
}
inline LayoutPosition inFolder(std::string id, std::int64_t index) {
    return {.container = LayoutContainer::folder(FolderID{std::move(id)}), .index = index};
}

// The graph, or the error the construction threw.
using Outcome = std::variant<LayoutGraph, LayoutError>;

inline Outcome build(std::vector<LayoutPage> pages, std::vector<LayoutFolder> folders = {}) {
    try {
        return LayoutGraph::make(std::move(pages), std::move(folders));
    } catch (const LayoutError& error) {
        return error;
    }
}

inline Outcome applied(const LayoutCommand& command, const LayoutGraph& graph) {
    try {
        return LayoutReducer::apply(command, graph);
    } catch (const LayoutError& error) {
        return error;
    }
}

inline std::optional<LayoutError> errorOf(const Outcome& outcome) {
    if (const auto* error = std::get_if<LayoutError>(&outcome))
        return *error;
    return std::nullopt;
}

} // namespace orbitdeck::testing
