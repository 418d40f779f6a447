#include "window/qml/library_grid_math.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(LibraryMotion, TheOpenSpringStartsAtRestAndSettlesWithoutVisibleOvershoot) {
    const LibraryGridMath math;
    EXPECT_DOUBLE_EQ(math.springProgress(0, 0.38, 0.9), 0);
    EXPECT_DOUBLE_EQ(math.springProgress(-1, 0.38, 0.9), 0);
    // Most of the way within half a response, settled well before the animation's 0.6 s end.
    EXPECT_GT(math.springProgress(0.19, 0.38, 0.9), 0.85);
    EXPECT_NEAR(math.springProgress(0.6, 0.38, 0.9), 1, 1e-3);
    double previous = 0;
    double highest = 0;
    for (int step = 1; step <= 60; ++step) {
        const double now = math.springProgress(step / 100.0, 0.38, 0.9);
        highest = std::max(highest, now);
        if (step <= 20) { // rising all the way to the target
            EXPECT_GT(now, previous) << step;
        }
        previous = now;
    }
    // Damping 0.9 overshoots by a sixth of a percent at most: the 1.08 zoom never dips below 1
    // by more than a hair.
    EXPECT_LT(highest, 1.002);
    // Critical damping and beyond approach without overshoot; no response jumps.
    EXPECT_LT(math.springProgress(0.2, 0.38, 1.0), 1);
    EXPECT_DOUBLE_EQ(math.springProgress(0.1, 0, 0.9), 1);
}

} // namespace
} // namespace orbitdeck
