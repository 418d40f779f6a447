#include "onboarding/onboarding_log.h"

namespace orbitdeck {

Q_LOGGING_CATEGORY(onboardingLog, "orbitdeck.onboarding", QtInfoMsg)

} // namespace orbitdeck
