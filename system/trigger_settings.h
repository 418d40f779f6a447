#pragma once

#include "platform/defaults_store.h"
#include "system/launch_triggers.h"

namespace orbitdeck {

// The trigger settings as stored: an unknown corner name reads as off, and only a stored
// boolean switches pinch or F4 on.
TriggerSettings readTriggerSettings(const DefaultsStore& store);

} // namespace orbitdeck
