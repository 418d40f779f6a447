#pragma once

#include <QLoggingCategory>

namespace orbitdeck {

// "orbitdeck.window": failed reads and saves of the window's data, with their reasons. Debug
// lines are off unless QT_LOGGING_RULES turns them on.
Q_DECLARE_LOGGING_CATEGORY(windowLog)

// Sends what the Qt-free catalog and library report into "orbitdeck.catalog" and
// "orbitdeck.library", so the same rules filter them.
void routeCoreFailuresToLog();

} // namespace orbitdeck
