#include "arranging/arranging_install.h"

#include "arranging/command_layer.h"
#include "arranging/drag_session.h"
#include "arranging/launch_flow.h"
#include "arranging/layout_operations.h"
#include "arranging/undo_actions.h"
#include "window/ambergrid_window.h"

namespace orbitdeck {

ArrangingParts installArranging(AmbergridWindow& window) {
    auto* launch = new LaunchFlow(window, &window);
    auto* undo = new UndoActions(window, &window);
    auto* layoutOps = new LayoutOperations(window, &window);
    auto* commands = new CommandLayer(window, *launch, *undo, *layoutOps, &window);
    installLiveDrag(window, *layoutOps);
    return {.commands = commands, .layoutOps = layoutOps, .undo = undo};
}

} // namespace orbitdeck
