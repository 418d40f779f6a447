#pragma once

#include "layout-core/layout_graph.h"
#include "onboarding/launchpad_rows.h"

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace orbitdeck {

// The launcher arrangement turned into one page: installed applications only, each at its first
// place; folders of fewer than two applications dissolve where they stood; every installed
// application the arrangement did not list follows in list order.
struct LaunchpadConversion {
    std::vector<LayoutItem> items;
    std::vector<LayoutFolder> folders;
    // Distinct installed applications taken from the arrangement.
    std::size_t found = 0;
};

LaunchpadConversion convertLaunchpadEntries(const std::vector<LaunchpadEntry>& entries,
                                            const std::unordered_set<std::string>& installed,
                                            const std::vector<std::string>& appOrder,
                                            const std::function<std::string()>& newFolderID);

} // namespace orbitdeck
