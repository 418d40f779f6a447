#pragma once
// The drag rules one window's drag session runs, and the window operations they call.
#include "arranging/rules/folder_panel.h"
#include "arranging/rules/live_drag.h"
#include "arranging/rules/live_drag_press.h"
#include "arranging/rules/page_edge.h"

#include <QString>

#include <optional>

namespace orbitdeck {

class AmbergridWindow;
class LayoutOperations;

struct DragRules {
    LiveDrag live;
    PageEdge leadingEdge;
    PageEdge trailingEdge;
    FolderLeave folderLeave;
    LongPressTap taps;
};

std::optional<LayoutItem> keyItem(const QString& key);
// Moves item next to target from the order the grid shows; a sorted grid is written as shown
// and turns manual. Answers whether the layout changed.
bool moveNextToAsShown(AmbergridWindow& window, LayoutOperations& operations,
                       const LayoutItem& item, const LayoutItem& target, bool after,
                       bool recordUndo);

} // namespace orbitdeck
