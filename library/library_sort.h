#pragma once

#include "catalog-core/app_dates.h"
#include "layout-core/layout_item.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orbitdeck {

// The order the grid shows the library in; stored by case name under "ambergrid.sort".
enum class LibrarySort { manual, name, nameReverse, added, recent, frequency };

std::string_view librarySortRawValue(LibrarySort sort);
// None for any text that is not exactly a case name.
std::optional<LibrarySort> librarySortFromRawValue(std::string_view rawValue);

// Launches by `AppDescriptor` id.
using LaunchCounts = std::unordered_map<std::string, std::int64_t>;

// What the orders read of the window: plain values, owned by the caller for the sort's length.
struct LibrarySortContext {
    // Display names of the installed applications by id.
    const std::unordered_map<std::string, std::string>& displayNames;
    // Folder titles as shown (translated default names) by folder id.
    const std::unordered_map<std::string, std::string>& folderTitles;
    const LaunchCounts& launchCounts;
    const AppDates& recentUse;
    const AppDates& addedDates;
    // The interface language's identifier, such as "en" or "zh-Hans".
    std::string_view languageID;
};

// An item and its position in the list before sorting, the last tie-break of every order.
struct IndexedItem {
    std::size_t index = 0;
    LayoutItem item;
};

std::vector<IndexedItem> indexedItems(const std::vector<LayoutItem>& items);

// The installed application's display name, or none.
std::optional<std::string> displayName(std::string_view appID, const LibrarySortContext& context);

// A folder's shown title (empty when unknown); an application's or placeholder's display name
// (empty when not installed).
std::string sortName(const LayoutItem& item, const LibrarySortContext& context);

// True when a comes before b. Counts or dates first (newest, most launched), then names, then the
// position before sorting, so the order is total.
bool compareForSort(const IndexedItem& a, const IndexedItem& b, LibrarySort mode,
                    const LibrarySortContext& context);

// The items in the order of mode; manual returns them unchanged. Same order as compareForSort,
// with each item's keys computed once.
std::vector<LayoutItem> sortedItems(const std::vector<LayoutItem>& items, LibrarySort mode,
                                    const LibrarySortContext& context);

} // namespace orbitdeck
