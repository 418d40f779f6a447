#pragma once

namespace orbitdeck {

class AmbergridWindow;
class CommandLayer;
class LayoutOperations;
class UndoActions;

// What the arranging module hands the composition root: the command layer, with launching and
// undo beneath it, and the layout operations.
struct ArrangingParts {
    CommandLayer* commands = nullptr;
    LayoutOperations* layoutOps = nullptr;
    UndoActions* undo = nullptr;
};

// Makes the command layer, undo, launching, the layout operations and the live drag, owned by
// the window.
ArrangingParts installArranging(AmbergridWindow& window);

} // namespace orbitdeck
