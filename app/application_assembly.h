#pragma once

#include "window/app_entry.h"

#include <memory>

namespace orbitdeck {

// The one call of the executable: the application state with every module's operations.
std::unique_ptr<AppEntry> assembleApplication(AppEntry::Seams seams);

} // namespace orbitdeck
