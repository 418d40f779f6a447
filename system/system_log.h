#pragma once

#include <QLoggingCategory>

namespace orbitdeck {

// "orbitdeck.system": failed reads, writes, launches and bus calls, with their reasons. Debug
// lines are off unless QT_LOGGING_RULES turns them on.
Q_DECLARE_LOGGING_CATEGORY(systemLog)

} // namespace orbitdeck
