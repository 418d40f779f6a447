#include "window/library_grid_metrics.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

LibraryGridMetrics pagesOf(double w, double h, int columns = 0, int rows = 0, double base = 62) {
    return LibraryGridMetrics::make({.width = w,
                                     .height = h,
                                     .customColumns = columns,
                                     .customRows = rows,
                                     .baseIconSize = base});
}

TEST(LibraryGridMetrics, ColumnsAndRowsFollowTheSettingsWithinBounds) {
    {
        const auto m = pagesOf(1040, 560);
        EXPECT_EQ(m.columns, 7);
        EXPECT_EQ(m.rows, 5);
        EXPECT_EQ(m.capacity(), 35);
    }
    {
        const auto m = pagesOf(1040, 560, 3, 1);
        EXPECT_EQ(m.columns, 4);
        EXPECT_EQ(m.rows, 2);
        EXPECT_EQ(m.capacity(), 8);
    }
    {
        const auto m = pagesOf(1040, 560, 20, 9);
        EXPECT_EQ(m.columns, 12);
        EXPECT_EQ(m.rows, 8);
    }
    {
        const auto m = pagesOf(1040, 560, -5, -1);
        EXPECT_EQ(m.columns, 4);
        EXPECT_EQ(m.rows, 2);
    }
}

TEST(LibraryGridMetrics, WidthIsTheSmallerOfIdealAndAvailable) {
    {
        // Wide area: the ideal width (108-point cells) wins.
        const auto m = pagesOf(2000, 900);
        EXPECT_DOUBLE_EQ(m.width, 6 * 18 + 7 * 108);
        EXPECT_DOUBLE_EQ(m.cellWidth, 108);
    }
    {
        // Default window content: 1040 - 187.2 available.
        const auto m = pagesOf(1040, 560);
        EXPECT_DOUBLE_EQ(m.width, 1040 - 0.18 * 1040);
        EXPECT_DOUBLE_EQ(m.cellWidth, (m.width - 108) / 7);
    }
    {
        // Narrower than the gaps: hGaps + 1 wide, the icon stays at least one point.
        const auto m = pagesOf(50, 30);
        EXPECT_DOUBLE_EQ(m.width, 6 * 18 + 1);
        EXPECT_GE(m.iconSize, 1);
    }
}

TEST(LibraryGridMetrics, IconGrowsOnlyInPagesModeAndOnlyUpToOneAndAHalfTimes) {
    {
        const auto m = LibraryGridMetrics::make(
            {.width = 3000, .height = 3000, .baseIconSize = 62, .scrolling = true});
        EXPECT_DOUBLE_EQ(m.iconSize, 62);
        EXPECT_DOUBLE_EQ(m.cellHeight, 62 + 34);
    }
    {
        // Tall and wide: at most 1.45 x base ...
        const auto small = pagesOf(3000, 3000, 4, 2, 48);
        EXPECT_DOUBLE_EQ(small.iconSize, 1.45 * 48);
        EXPECT_DOUBLE_EQ(small.cellHeight, 1.45 * 48 + 34);
        // ... and at most the cell width minus 34 (cells are 108 wide here).
        const auto large = pagesOf(3000, 3000, 4, 2, 62);
        EXPECT_DOUBLE_EQ(large.iconSize, 108 - 34);
    }
    {
        // Short page: the row height caps the cell and the label room caps the icon.
        const auto m = pagesOf(1040, 52 + 4 * 14 + 5 * 60);
        EXPECT_DOUBLE_EQ(m.cellHeight, 60);
        EXPECT_DOUBLE_EQ(m.iconSize, 60 - 22);
    }
    {
        // Below 55 points of cell height the label room is 18.
        const auto m = pagesOf(1040, 52 + 4 * 14 + 5 * 50);
        EXPECT_DOUBLE_EQ(m.cellHeight, 50);
        EXPECT_DOUBLE_EQ(m.iconSize, 50 - 18);
    }
}

TEST(LibraryPaging, PageCountsCurrentPageAndDots) {
    EXPECT_EQ(paging::pageCount(0, 35), 0);
    EXPECT_EQ(paging::shownPageCount(0, 35), 1);
    EXPECT_EQ(paging::pageCount(35, 35), 1);
    EXPECT_EQ(paging::pageCount(40, 35), 2);
    EXPECT_EQ(paging::currentPage(7, 2), 1);
    EXPECT_EQ(paging::currentPage(0, 1), 0);

    EXPECT_EQ(paging::dotRange(0, 1), std::make_pair(0, 1));
    EXPECT_EQ(paging::dotRange(0, 10), std::make_pair(0, 4));
    EXPECT_EQ(paging::dotRange(5, 10), std::make_pair(2, 9));
    EXPECT_EQ(paging::dotRange(9, 10), std::make_pair(6, 10));
}

TEST(LibrarySwipe, TrackingAndTurningThresholds) {
    {
        // Towards a missing previous page: a rubber band, never beyond the page width.
        EXPECT_DOUBLE_EQ(swipe::trackedOffset(100, 0, 3, 1000), 23);
        EXPECT_DOUBLE_EQ(swipe::trackedOffset(9000, 0, 3, 1000), 1000);
        EXPECT_DOUBLE_EQ(swipe::trackedOffset(-100, 0, 3, 1000), -100);
        EXPECT_DOUBLE_EQ(swipe::trackedOffset(-5000, 0, 3, 1000), -1000);
        // Zero counts as towards the previous page.
        EXPECT_DOUBLE_EQ(swipe::trackedOffset(0, 0, 3, 1000), 0);
    }
    {
        EXPECT_FALSE(swipe::turnsPage(-95, 0, 1000));
        EXPECT_TRUE(swipe::turnsPage(-96, 0, 1000));
        EXPECT_FALSE(swipe::turnsPage(-59, 0, 400));
        EXPECT_TRUE(swipe::turnsPage(-60, 0, 400));
        // A short flick along its travel turns the page; against it, it does not.
        EXPECT_TRUE(swipe::turnsPage(-30, -10, 1000));
        EXPECT_FALSE(swipe::turnsPage(-30, 10, 1000));
        EXPECT_FALSE(swipe::turnsPage(-27, -10, 1000));
    }
    {
        EXPECT_EQ(swipe::target(-200, 0, 0, 3, 1000), 1);
        EXPECT_EQ(swipe::target(200, 0, 0, 3, 1000), 0);
        EXPECT_EQ(swipe::target(-200, 0, 2, 3, 1000), 2);
        EXPECT_EQ(swipe::target(200, 0, 2, 3, 1000), 1);
        EXPECT_EQ(swipe::target(-50, 0, 0, 3, 1000), 0);
    }
}

} // namespace
} // namespace orbitdeck
