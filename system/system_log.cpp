#include "system/system_log.h"

namespace orbitdeck {

Q_LOGGING_CATEGORY(systemLog, "orbitdeck.system", QtInfoMsg)

} // namespace orbitdeck
