#pragma once
// Builders for library layout fixtures.
#include "../layout-core/layout_test_support.h"
#include "library/library_layout.h"

#include <string>
#include <vector>

namespace orbitdeck::testing {

inline LibraryLayout libraryLayout(std::vector<LayoutItem> items,
                                   std::vector<LayoutFolder> folders = {}) {
    const PageID pageID{"applications"};
    return {.pageID = pageID,
            .graph = LayoutGraph::make({LayoutPage{.id = pageID, .items = std::move(items)}},
                                       std::move(folders))};
}

inline LibraryLayout emptyLibraryLayout() {
    return {.pageID = PageID{"applications"}, .graph = {}};
}

} // namespace orbitdeck::testing
