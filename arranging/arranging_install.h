#pragma once

namespace orbitdeck {

class AmbergridWindow;

// Attaches the command layer, undo, launching and the layout operations to the window.
void installArranging(AmbergridWindow& window);

} // namespace orbitdeck
