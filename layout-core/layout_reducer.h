#pragma once
// The one way an arrangement is edited: a command applied to a copy, validated whole at the end.
#include "layout-core/layout_command.h"
#include "layout-core/layout_graph.h"

#include <string>

namespace orbitdeck {

class LayoutReducer {
public:
    LayoutReducer() = delete;

    // The new valid graph, or a thrown LayoutError; the given graph never changes.
    static LayoutGraph apply(const LayoutCommand& command, const LayoutGraph& graph);

private:
    static void createFolder(const LayoutCommand::CreateFolder& command, LayoutGraph& graph);
    static void renameFolder(const LayoutCommand::RenameFolder& command, LayoutGraph& graph);
    static void move(const LayoutPosition& from, const LayoutPosition& to, LayoutGraph& graph);
};

} // namespace orbitdeck
