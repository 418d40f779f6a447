#pragma once
// The jiggle of tiles in arranging mode: a small tilt and lift swung back and forth, each tile on
// its own timing so the grid does not move in lockstep.
#include "layout-core/layout_item.h"

#include <cstdint>

namespace orbitdeck {

inline constexpr double wiggleDegrees = 1.3;
inline constexpr double wiggleLift = 0.4;

struct WiggleTiming {
    // One swing, in seconds; the swing repeats reversed.
    double duration = 0.14;
    // Before the first swing, in seconds.
    double delay = 0;
};

// Any seed is valid, the most negative one included; s and -s give the same timing.
WiggleTiming wiggleTiming(std::int64_t seed);

// The seed of a tile: its kind and identifier hashed together.
std::int64_t wiggleSeed(const LayoutItem& item);

} // namespace orbitdeck
