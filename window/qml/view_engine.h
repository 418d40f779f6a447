#pragma once

class QQmlEngine;

namespace orbitdeck {

// What the views need of the engine that loads them: where our QML modules live in the
// resources (not a default import path before Qt 6.5) and the image providers they draw with.
void prepareViewEngine(QQmlEngine& engine);

} // namespace orbitdeck
