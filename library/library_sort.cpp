#include "library/library_sort.h"

#include "library/library_sort_collation.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace orbitdeck {
namespace {

constexpr std::array<std::pair<LibrarySort, std::string_view>, 6> kRawValues{{
    {LibrarySort::manual, "manual"},
    {LibrarySort::name, "name"},
    {LibrarySort::nameReverse, "nameReverse"},
    {LibrarySort::added, "added"},
    {LibrarySort::recent, "recent"},
    {LibrarySort::frequency, "frequency"},
}};

// A folder tile has no counts or dates of its own: its key matches nothing.
std::string_view lookupKey(const LayoutItem& item) {
    return item.isFolder() ? std::string_view() : std::string_view(item.payload);
}

template <typename Map>
auto valueAt(const Map& map, std::string_view key) -> std::optional<typename Map::mapped_type> {
    if (key.empty()) {
        return std::nullopt;
    }
    const auto found = map.find(std::string(key));
    return found == map.end() ? std::nullopt : std::optional(found->second);
}

// The part of an order that comes before names: higher first. Names decide when equal.
std::int64_t usageKey(const LayoutItem& item, LibrarySort mode, const LibrarySortContext& context) {
    const auto key = lookupKey(item);
    switch (mode) {
    case LibrarySort::frequency:
        return valueAt(context.launchCounts, key).value_or(0);
    case LibrarySort::added:
    case LibrarySort::recent: {
        const auto& dates = mode == LibrarySort::added ? context.addedDates : context.recentUse;
        const auto date = valueAt(dates, key);
        // Absent dates are the distant past, after every real date.
        return date ? date->time_since_epoch().count() : std::numeric_limits<std::int64_t>::min();
    }
    default:
        return 0;
    }
}

// Steps 6 and 7 of every order: names (reversed only for nameReverse), then the position.
bool namesThenIndex(int nameOrder, std::size_t leftIndex, std::size_t rightIndex,
                    LibrarySort mode) {
    if (nameOrder != 0) {
        return mode == LibrarySort::nameReverse ? nameOrder > 0 : nameOrder < 0;
    }
    return leftIndex < rightIndex;
}

} // namespace

std::string_view librarySortRawValue(LibrarySort sort) {
    for (const auto& [value, text] : kRawValues) {
        if (value == sort) {
            return text;
        }
    }
    return "manual";
}

std::optional<LibrarySort> librarySortFromRawValue(std::string_view rawValue) {
    for (const auto& [value, text] : kRawValues) {
        if (text == rawValue) {
            return value;
        }
    }
    return std::nullopt;
}

std::vector<IndexedItem> indexedItems(const std::vector<LayoutItem>& items) {
    std::vector<IndexedItem> indexed;
    indexed.reserve(items.size());
    for (const auto& item : items) {
        indexed.push_back({.index = indexed.size(), .item = item});
    }
    return indexed;
}

std::optional<std::string> displayName(std::string_view appID, const LibrarySortContext& context) {
    return valueAt(context.displayNames, appID);
}

std::string sortName(const LayoutItem& item, const LibrarySortContext& context) {
    const auto& names = item.isFolder() ? context.folderTitles : context.displayNames;
    return valueAt(names, item.payload).value_or("");
}

bool compareForSort(const IndexedItem& a, const IndexedItem& b, LibrarySort mode,
                    const LibrarySortContext& context) {
    const auto usageA = usageKey(a.item, mode, context);
    const auto usageB = usageKey(b.item, mode, context);
    if (usageA != usageB) {
        return usageA > usageB;
    }
    const int nameOrder =
        compareNames(sortName(a.item, context), sortName(b.item, context), context.languageID);
    return namesThenIndex(nameOrder, a.index, b.index, mode);
}

std::vector<LayoutItem> sortedItems(const std::vector<LayoutItem>& items, LibrarySort mode,
                                    const LibrarySortContext& context) {
    if (mode == LibrarySort::manual) {
        return items;
    }
    struct Keyed {
        std::int64_t usage;
        std::string name;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(items.size());
    for (const auto& item : items) {
        keyed.push_back({.usage = usageKey(item, mode, context),
                         .name = nameSortKey(sortName(item, context), context.languageID),
                         .index = keyed.size()});
    }
    std::ranges::sort(keyed, [mode](const Keyed& a, const Keyed& b) {
        if (a.usage != b.usage) {
            return a.usage > b.usage;
        }
        return namesThenIndex(a.name.compare(b.name), a.index, b.index, mode);
    });
    std::vector<LayoutItem> sorted;
    sorted.reserve(items.size());
    for (const auto& entry : keyed) {
        sorted.push_back(items[entry.index]);
    }
    return sorted;
}

} // namespace orbitdeck
