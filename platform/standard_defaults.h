#pragma once

#include "platform/defaults_store.h"

namespace orbitdeck {

// The app's own domain, opened on first use and kept for the whole run (main thread only).
DefaultsStore& standardDefaults();

} // namespace orbitdeck
