#include "arranging/rules/arrange_wiggle.h"

#include "arranging/rules/live_drag_press.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace orbitdeck {
namespace {

TEST(ArrangeWiggle, TimingFollowsTheSeed) {
    const auto at = [](std::int64_t seed) { return wiggleTiming(seed); };
    EXPECT_DOUBLE_EQ(at(0).duration, 0.14);
    EXPECT_DOUBLE_EQ(at(0).delay, 0);
    // k = 4: 0.172 s, 0.08 s; k = 997 wraps to 0.
    EXPECT_DOUBLE_EQ(at(4).duration, 0.172);
    EXPECT_DOUBLE_EQ(at(4).delay, 0.08);
    EXPECT_DOUBLE_EQ(at(997).duration, 0.14);
    // The most negative seed is valid: k = 979.
    const auto lowest = at(std::numeric_limits<std::int64_t>::min());
    EXPECT_DOUBLE_EQ(lowest.duration, 0.172);
    EXPECT_DOUBLE_EQ(lowest.delay, 0.12);
    for (const std::int64_t seed :
         std::vector<std::int64_t>{1, 6, 123456789, std::numeric_limits<std::int64_t>::max()}) {
        EXPECT_DOUBLE_EQ(at(seed).duration, at(-seed).duration);
        EXPECT_DOUBLE_EQ(at(seed).delay, at(-seed).delay);
    }
    EXPECT_EQ(wiggleSeed(LayoutItem::application("a")), wiggleSeed(LayoutItem::application("a")));
}

TEST(LongPressTap, TheMarkBelongsToItsPressAndEndsWithItsRelease) {
    LongPressTap taps;
    {
        const auto press = taps.pressed();
        taps.longPressed();
        EXPECT_TRUE(taps.marked());
        EXPECT_TRUE(taps.released(press));
        EXPECT_FALSE(taps.marked());
    }
    {
        // A plain press and release leaves nothing to clear.
        const auto press = taps.pressed();
        EXPECT_FALSE(taps.released(press));
    }
    {
        // A long press whose release was never seen does not outlive the next press.
        const auto first = taps.pressed();
        taps.longPressed();
        const auto second = taps.pressed();
        EXPECT_FALSE(taps.marked());
        EXPECT_FALSE(taps.released(first));
        EXPECT_FALSE(taps.released(second));
    }
    {
        // A long press reported with no press under way marks nothing.
        LongPressTap idle;
        idle.longPressed();
        EXPECT_FALSE(idle.marked());
    }
}

} // namespace
} // namespace orbitdeck
