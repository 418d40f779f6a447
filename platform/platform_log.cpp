#include "platform/platform_log.h"

namespace orbitdeck {

Q_LOGGING_CATEGORY(platformLog, "orbitdeck.platform", QtInfoMsg)

} // namespace orbitdeck
