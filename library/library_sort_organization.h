#pragma once

#include "layout-core/layout_item.h"
#include "layout-core/layout_text.h"
#include "library/library_layout.h"

#include <vector>

namespace orbitdeck {

// The organise actions of the settings sheet.
enum class LibraryOrganization {
    systemUtilities,
    sortByName,
    foldersFirst,
    foldersLast,
    ungroup,
    exportLayout,
    importLayout,
    welcome,
};

// Applies an organise action to the layout. sortedItems is the page in name order for
// sortByName and empty otherwise; utilityIDs are the system utilities to gather. True when the
// layout changed; the actions that open files or the guide never change it here.
bool applyOrganization(LibraryOrganization organization, LibraryLayout& layout,
                       const std::vector<LayoutItem>& sortedItems, const LayoutTextSet& utilityIDs);

} // namespace orbitdeck
