#include "arranging/rules/page_edge.h"

#include "live_drag_test_support.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace orbitdeck {
namespace {

using testing::app;

struct PageEdgeTest : ::testing::Test {
    testing::LateCancelScheduler late;
    VirtualScheduler& scheduler = late.time;
    int turns = 0;
    std::vector<std::pair<LayoutItem, bool>> drops;
    PageEdge edge{late, nullptr,
                  PageEdge::Actions{
                      .advance = [this] { ++turns; },
                      .drop =
                          [this](const LayoutItem& item, bool didAdvance) {
                              drops.emplace_back(item, didAdvance);
                              return true;
                          },
                      .changed = {},
                  }};
};

TEST_F(PageEdgeTest, RestingSixTenthsOfASecondTurnsThePageOncePerVisit) {
    edge.setCanAdvance(true);
    edge.setTargeted(true);
    EXPECT_TRUE(edge.highlighted());
    scheduler.advance(500ms);
    EXPECT_EQ(turns, 0);
    scheduler.advance(100ms);
    EXPECT_EQ(turns, 1);
    EXPECT_TRUE(edge.didAdvance());
    scheduler.advance(5s);
    EXPECT_EQ(turns, 1);

    {
        // Still highlighted after the turn, even with no further page that way.
        edge.setCanAdvance(false);
        EXPECT_TRUE(edge.highlighted());
    }
    {
        // A new visit needs leaving and re-entering; it starts a fresh 0.6 s.
        edge.setCanAdvance(true);
        edge.setTargeted(false);
        EXPECT_FALSE(edge.highlighted());
        edge.setTargeted(true);
        EXPECT_FALSE(edge.didAdvance());
        scheduler.advance(599ms);
        EXPECT_EQ(turns, 1);
        scheduler.advance(1ms);
        EXPECT_EQ(turns, 2);
    }
}

TEST_F(PageEdgeTest, LeavingEarlyOrDestroyingCancelsTheTurn) {
    edge.setCanAdvance(true);
    edge.setTargeted(true);
    scheduler.advance(500ms);
    edge.setTargeted(false);
    scheduler.advance(1s);
    EXPECT_EQ(turns, 0);

    int otherTurns = 0;
    {
        PageEdge other{
            scheduler, nullptr, {.advance = [&] { ++otherTurns; }, .drop = {}, .changed = {}}};
        other.setCanAdvance(true);
        other.setTargeted(true);
    }
    scheduler.advance(1s);
    EXPECT_EQ(otherTurns, 0);
}

TEST_F(PageEdgeTest, AStripWithNoPageThatWayNeverTurnsButStillTakesDrops) {
    edge.setTargeted(true);
    EXPECT_FALSE(edge.highlighted());
    scheduler.advance(1s);
    EXPECT_EQ(turns, 0);
    EXPECT_TRUE(edge.drop(app("a")));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0], std::make_pair(app("a"), false));

    {
        // A drop after the turn says so; a drop without a decodable item is refused.
        edge.setCanAdvance(true);
        edge.setTargeted(true);
        scheduler.advance(600ms);
        EXPECT_TRUE(edge.drop(app("b")));
        EXPECT_EQ(drops.back(), std::make_pair(app("b"), true));
        EXPECT_FALSE(edge.drop(std::nullopt));
        EXPECT_EQ(drops.size(), 2u);
    }
}

TEST(PageDrop, TheDroppedTileBecomesTheFirstOfThePage) {
    std::vector<LayoutItem> visible;
    for (int i = 0; i < 10; ++i) {
        const std::string number = std::to_string(i);
        visible.push_back(app("t" + number));
    }
    {
        // From an earlier page: after the page's first tile, which then moves back a page.
        const auto drop = pageDrop(app("t1"), 1, 3, visible, 4);
        ASSERT_TRUE(drop);
        EXPECT_EQ(drop->target, app("t4"));
        EXPECT_TRUE(drop->after);
    }
    {
        // From a later page, or from outside the visible items: before it.
        EXPECT_FALSE(pageDrop(app("t9"), 1, 3, visible, 4)->after);
        EXPECT_FALSE(pageDrop(app("zz"), 1, 3, visible, 4)->after);
    }
    {
        // Pages without a first tile are refused.
        EXPECT_FALSE(pageDrop(app("t1"), 3, 3, visible, 4));
        EXPECT_FALSE(pageDrop(app("t1"), -1, 3, visible, 4));
        EXPECT_FALSE(pageDrop(app("t1"), 2, 3, visible, 5));
    }
    EXPECT_EQ(pageEdgeDropPage(true, 2, 3), 2);
    EXPECT_EQ(pageEdgeDropPage(false, 2, 3), 3);
}

} // namespace
} // namespace orbitdeck
