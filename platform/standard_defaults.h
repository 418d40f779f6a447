#pragma once

#include "platform/defaults_store.h"

namespace orbitdeck {

// The app's own domain, opened on first use and kept for the whole run (main thread only). The
// window's settings and every direct reader use this one instance, so all see each change.
DefaultsStore& standardDefaults();

} // namespace orbitdeck
