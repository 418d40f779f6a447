#include "layout-core/layout_reducer.h"

#include <algorithm>
#include <variant>

namespace orbitdeck {
namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

bool indexWithin(std::int64_t index, std::size_t limit) {
    return index >= 0 && static_cast<std::uint64_t>(index) <= limit;
}

} // namespace

LayoutGraph LayoutReducer::apply(const LayoutCommand& command, const LayoutGraph& graph) {
    LayoutGraph copy = graph;
    std::visit(Overloaded{
                   [&](const LayoutCommand::CreateFolder& c) { createFolder(c, copy); },
                   [&](const LayoutCommand::RenameFolder& c) { renameFolder(c, copy); },
                   [&](const LayoutCommand::Move& c) { move(c.from, c.to, copy); },
               },
               command.value);
    copy.validate();
    return copy;
}

void LayoutReducer::createFolder(const LayoutCommand::CreateFolder& command, LayoutGraph& graph) {
    if (textEquals(command.source, command.target))
        throw LayoutError::sameApplication(command.source);
    if (graph.folders_.contains(command.id))
        throw LayoutError::duplicateFolder(command.id);
    const auto source = graph.locateApplication(command.source);
    const auto target = graph.locateApplication(command.target);

    graph.pages_[target.page].items[target.index] = LayoutItem::folder(command.id);
    auto& sourceItems = graph.pages_[source.page].items;
    sourceItems.erase(sourceItems.begin() + static_cast<std::ptrdiff_t>(source.index));
    graph.folders_.emplace(command.id, LayoutFolder{.id = command.id,
                                                    .name = command.name,
                                                    .items = {
                                                        LayoutItem::application(command.target),
                                                        LayoutItem::application(command.source),
                                                    }});
}

void LayoutReducer::renameFolder(const LayoutCommand::RenameFolder& command, LayoutGraph& graph) {
    const auto found = graph.folders_.find(command.id);
    if (found == graph.folders_.end())
        throw LayoutError::missingFolder(command.id);
    found->second.name = command.name;
}

void LayoutReducer::move(const LayoutPosition& from, const LayoutPosition& to, LayoutGraph& graph) {
    auto& sourceItems = graph.mutableItems(from.container);
    if (from.index < 0 || static_cast<std::uint64_t>(from.index) >= sourceItems.size())
        throw LayoutError::invalidIndex(from);
    const auto sourceSlot = sourceItems.begin() + static_cast<std::ptrdiff_t>(from.index);
    LayoutItem item = std::move(*sourceSlot);
    if (item.isFolder() && to.container.isFolder())
        throw LayoutError::nestedFolder();
    sourceItems.erase(sourceSlot);

    auto& destinationItems = graph.mutableItems(to.container);
    if (!indexWithin(to.index, destinationItems.size()))
        throw LayoutError::invalidIndex(to);
    destinationItems.insert(destinationItems.begin() + static_cast<std::ptrdiff_t>(to.index),
                            std::move(item));

    if (!from.container.isFolder())
        return;
    const auto emptied = graph.folders_.find(std::string_view(from.container.id));
    if (emptied == graph.folders_.end() || !emptied->second.items.empty())
        return;
    const FolderID gone = emptied->first;
    graph.folders_.erase(emptied);
    const LayoutItem tile = LayoutItem::folder(gone);
    for (auto& page : graph.pages_)
        std::erase(page.items, tile);
}

} // namespace orbitdeck
