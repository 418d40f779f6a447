#pragma once

#include "system/hot_corner.h"

#include <vector>

namespace orbitdeck {

// Every monitor in native pixels, in the order the platform lists them.
std::vector<ScreenArea> currentScreenAreas();

} // namespace orbitdeck
