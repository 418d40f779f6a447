#pragma once

#include "catalog-core/app_descriptor.h"
#include "layout-core/layout_item.h"
// moc of Qt 6.4 cannot parse the concepts this pulls in.
#ifndef Q_MOC_RUN
#include "library/library_sort.h"
#endif

#include <functional>
#include <string>
#include <vector>

namespace orbitdeck {

class LibraryState;
class LayoutState;
class QueryState;
class WindowSettings;

// Orders the page's items by the sort setting (manual returns them unchanged).
using SortItems =
    std::function<std::vector<LayoutItem>(const std::vector<LayoutItem>&, LibrarySort)>;

// What the grid shows, derived from the state each time it is read.
class VisibleLibrary {
public:
    VisibleLibrary(const LibraryState& library, const LayoutState& layout, const QueryState& query,
                   const WindowSettings& settings);

    void setSortItems(SortItems sort) { sortItems_ = std::move(sort); }
    std::vector<LayoutItem> sortedItems(const std::vector<LayoutItem>& items,
                                        LibrarySort sort) const;

    // Search hits while searching, else the applications that are not hidden, in catalog order.
    std::vector<AppDescriptor> visibleApps() const;
    // Search hits as application items while searching; else the page in library order
    // without hidden or uninstalled applications and placeholders.
    std::vector<LayoutItem> visibleItems() const;
    // Pages of columns × rows tiles; at least one.
    static int pageCount(std::size_t itemCount, int capacity);

private:
    const LibraryState& library_;
    const LayoutState& layout_;
    const QueryState& query_;
    const WindowSettings& settings_;
    SortItems sortItems_;
};

} // namespace orbitdeck
