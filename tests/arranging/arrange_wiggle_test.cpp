#include "arranging/arrange_wiggle.h"

#include "arranging/live_drag_press.h"

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

TEST(LongPressTap, OnlyTheClickOfTheLongPressIsSwallowed) {
    LongPressTap taps;
    {
        // Release then click, as a mouse area reports them.
        const auto press = taps.pressed();
        taps.longPressed(press);
        EXPECT_TRUE(taps.suppressing());
        taps.released(press);
        EXPECT_FALSE(taps.suppressing());
        EXPECT_TRUE(taps.swallowsClick(press));
    }
    {
        // A long press that became a drag has no click; the next click still works.
        const auto press = taps.pressed();
        taps.longPressed(press);
        taps.released(press);
        const auto later = taps.pressed();
        taps.released(later);
        EXPECT_FALSE(taps.swallowsClick(later));
    }
    {
        // Click before release.
        const auto press = taps.pressed();
        taps.longPressed(press);
        EXPECT_TRUE(taps.swallowsClick(press));
        EXPECT_FALSE(taps.suppressing());
    }
}

} // namespace
} // namespace orbitdeck
