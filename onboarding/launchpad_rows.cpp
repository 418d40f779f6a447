#include "onboarding/launchpad_rows.h"

#include <algorithm>

namespace orbitdeck {

namespace {

using Item = LaunchpadRows::Item;
using Children = std::unordered_map<std::int64_t, std::vector<Item>>;

// Children by parent, each list ordered by `order` with query order kept among equals. The walk
// only ever goes root → page → item → folder page → item, so a row naming itself or a cycle
// of parents cannot make it loop.
Children childrenByParent(const std::vector<Item>& items) {
    Children children;
    for (const Item& item : items)
        children[item.parent].push_back(item);
    for (auto& [parent, list] : children)
        std::stable_sort(list.begin(), list.end(),
                         [](const Item& a, const Item& b) { return a.order < b.order; });
    return children;
}

const std::vector<Item>& childrenOf(const Children& children, std::int64_t id) {
    static const std::vector<Item> none;
    const auto found = children.find(id);
    return found == children.end() ? none : found->second;
}

std::size_t pageCount(const Children& children, std::int64_t id) {
    const auto& list = childrenOf(children, id);
    return static_cast<std::size_t>(std::count_if(list.begin(), list.end(), [](const Item& item) {
        return item.type == LaunchpadRows::page;
    }));
}

std::optional<std::string> bundleID(const LaunchpadRows& rows, const Item& item) {
    if (item.type != LaunchpadRows::application)
        return std::nullopt;
    const auto found = rows.apps.find(item.id);
    if (found == rows.apps.end() || found->second.empty())
        return std::nullopt;
    return found->second;
}

std::optional<LaunchpadEntry> folderEntry(const LaunchpadRows& rows, const Children& children,
                                          const Item& folder) {
    std::vector<std::string> ids;
    for (const Item& page : childrenOf(children, folder.id)) {
        if (page.type != LaunchpadRows::page)
            continue;
        for (const Item& item : childrenOf(children, page.id))
            if (auto id = bundleID(rows, item))
                ids.push_back(std::move(*id));
    }
    if (ids.empty())
        return std::nullopt;
    const auto title = rows.groups.find(folder.id);
    return LaunchpadEntry{LaunchpadEntry::Folder{
        .title = title == rows.groups.end() ? std::string() : title->second,
        .bundleIDs = std::move(ids),
    }};
}

} // namespace

std::optional<std::vector<LaunchpadEntry>> launchpadArrangement(const LaunchpadRows& rows) {
    const Children children = childrenByParent(rows.items);
    std::optional<std::int64_t> root;
    for (const Item& item : rows.items) {
        if (item.type != LaunchpadRows::root)
            continue;
        if (!root || pageCount(children, item.id) > pageCount(children, *root))
            root = item.id;
    }
    if (!root)
        return std::nullopt;

    std::vector<LaunchpadEntry> entries;
    for (const Item& page : childrenOf(children, *root)) {
        if (page.type != LaunchpadRows::page)
            continue;
        for (const Item& item : childrenOf(children, page.id)) {
            if (auto id = bundleID(rows, item))
                entries.push_back(LaunchpadEntry{LaunchpadEntry::App{std::move(*id)}});
            else if (item.type == LaunchpadRows::folder)
                if (auto folder = folderEntry(rows, children, item))
                    entries.push_back(std::move(*folder));
        }
    }
    return entries;
}

} // namespace orbitdeck
