#pragma once

#include "layout-core/layout_graph.h"
#include "layout-core/layout_item.h"
#include "library/library_sort.h"

#include <QString>

#include <string>
#include <vector>

namespace orbitdeck {

class AmbergridWindow;

// The items in the order of a sort setting (manual keeps them); ties keep list order.
std::vector<LayoutItem> sortedItems(const AmbergridWindow& window,
                                    const std::vector<LayoutItem>& items, LibrarySort sort);

// The title shown for a folder: the localised "Other" for the untouched utilities folder, the
// localised "New Folder" for a folder still bearing that name, else the stored name.
QString folderDisplayName(const AmbergridWindow& window, const LayoutFolder& folder);

// Lets the window's grid and tiles use the two above.
void installSortedItems(AmbergridWindow& window);

} // namespace orbitdeck
