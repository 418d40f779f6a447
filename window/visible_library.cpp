#include "window/visible_library.h"

#include "window/layout_state.h"
#include "window/library_state.h"
#include "window/query_state.h"
#include "window/window_settings.h"

namespace orbitdeck {

VisibleLibrary::VisibleLibrary(const LibraryState& library, const LayoutState& layout,
                               const QueryState& query, const WindowSettings& settings)
    : library_(library)
    , layout_(layout)
    , query_(query)
    , settings_(settings) {}

std::vector<LayoutItem> VisibleLibrary::sortedItems(const std::vector<LayoutItem>& items,
                                                    LibrarySort sort) const {
    if (sort == LibrarySort::manual || !sortItems_)
        return items;
    return sortItems_(items, sort);
}

std::vector<AppDescriptor> VisibleLibrary::visibleApps() const {
    std::vector<AppDescriptor> apps;
    if (query_.isSearching()) {
        // The untrimmed query goes to the index; it holds no hidden application.
        for (const std::string& id : library_.search(query_.query().toStdString())) {
            if (const AppDescriptor* app = library_.app(id))
                apps.push_back(*app);
        }
        return apps;
    }
    for (const AppDescriptor& app : library_.apps()) {
        if (!library_.hiddenIDs().contains(app.id()))
            apps.push_back(app);
    }
    return apps;
}

std::vector<LayoutItem> VisibleLibrary::visibleItems() const {
    std::vector<LayoutItem> items;
    if (query_.isSearching()) {
        for (const std::string& id : library_.search(query_.query().toStdString()))
            items.push_back(LayoutItem::application(id));
        return items;
    }
    const std::vector<LayoutItem> page = sortedItems(layout_.pageItems(), settings_.sortValue());
    // Placeholders share the applications' namespace: shown only while that identity is
    // installed and not hidden.
    for (const LayoutItem& item : page) {
        if (!item.isFolder() &&
            (library_.hiddenIDs().contains(item.payload) || !library_.app(item.payload)))
            continue;
        items.push_back(item);
    }
    return items;
}

int VisibleLibrary::pageCount(std::size_t itemCount, int capacity) {
    if (capacity <= 0 || itemCount == 0)
        return 1;
    const auto perPage = static_cast<std::size_t>(capacity);
    return static_cast<int>((itemCount + perPage - 1) / perPage);
}

} // namespace orbitdeck
