#include "layout-core/layout_graph.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace orbitdeck {
namespace {

using SeenTexts = std::unordered_set<std::string_view, LayoutTextHash, LayoutTextEqual>;

// Empty before duplicate, so an empty text is never reported as a repeat.
void checkIdentity(const LayoutItem& item, SeenTexts& seen) {
    if (item.payload.empty())
        throw LayoutError::emptyApplicationIdentity();
    if (!seen.insert(item.payload).second)
        throw LayoutError::duplicateApplication(item.payload);
}

} // namespace

LayoutGraph LayoutGraph::make(std::vector<LayoutPage> pages, std::vector<LayoutFolder> folders) {
    LayoutGraph graph;
    graph.pages_ = std::move(pages);
    for (auto& folder : folders) {
        FolderID id = folder.id;
        if (!graph.folders_.try_emplace(std::move(id), std::move(folder)).second)
            throw LayoutError::duplicateFolder(folder.id);
    }
    graph.validate();
    return graph;
}

void LayoutGraph::validate() const {
    std::size_t itemCount = 0;
    for (const auto& page : pages_)
        itemCount += page.items.size();
    SeenTexts pagesSeen;
    SeenTexts textsSeen;
    SeenTexts foldersReferenced;
    pagesSeen.reserve(pages_.size());
    textsSeen.reserve(itemCount);
    foldersReferenced.reserve(folders_.size());

    for (const auto& page : pages_) {
        if (!pagesSeen.insert(page.id.rawValue).second)
            throw LayoutError::duplicatePage(page.id);
        for (const auto& item : page.items) {
            if (!item.isFolder()) {
                checkIdentity(item, textsSeen);
                continue;
            }
            if (!foldersReferenced.insert(item.payload).second)
                throw LayoutError::duplicateFolder(item.folderID());
            const auto found = folders_.find(std::string_view(item.payload));
            if (found == folders_.end())
                throw LayoutError::missingFolder(item.folderID());
            if (found->second.items.empty())
                throw LayoutError::emptyFolder(item.folderID());
            for (const auto& inner : found->second.items) {
                if (inner.isFolder())
                    throw LayoutError::nestedFolder();
                checkIdentity(inner, textsSeen);
            }
        }
    }

    // Every referenced id exists by now, so a size difference means some folder has no tile; the
    // map is ordered, so the first one without a tile is the smallest.
    if (foldersReferenced.size() == folders_.size())
        return;
    for (const auto& [id, folder] : folders_)
        if (!foldersReferenced.contains(id.rawValue))
            throw LayoutError::unreferencedFolder(id);
}

const LayoutFolder* LayoutGraph::folder(std::string_view id) const {
    const auto found = folders_.find(id);
    return found == folders_.end() ? nullptr : &found->second;
}

template <typename Graph>
auto& LayoutGraph::containerItems(Graph& graph, const LayoutContainer& container) {
    if (container.isFolder()) {
        const auto found = graph.folders_.find(std::string_view(container.id));
        if (found == graph.folders_.end())
            throw LayoutError::missingFolder(container.folderID());
        return found->second.items;
    }
    const auto page =
        std::find_if(graph.pages_.begin(), graph.pages_.end(), [&](const LayoutPage& candidate) {
            return textEquals(candidate.id.rawValue, container.id);
        });
    if (page == graph.pages_.end())
        throw LayoutError::missingPage(container.pageID());
    return page->items;
}

std::vector<LayoutItem> LayoutGraph::items(const LayoutContainer& container) const {
    return containerItems(*this, container);
}

std::vector<LayoutItem>& LayoutGraph::mutableItems(const LayoutContainer& container) {
    return containerItems(*this, container);
}

LayoutGraph::ApplicationLocation LayoutGraph::locateApplication(std::string_view text) const {
    for (std::size_t p = 0; p < pages_.size(); ++p) {
        const auto& items = pages_[p].items;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].kind == LayoutItem::Kind::application &&
                textEquals(items[i].payload, text))
                return {.page = p, .index = i};
    }
    throw LayoutError::applicationNotOnPage(std::string(text));
}

} // namespace orbitdeck
