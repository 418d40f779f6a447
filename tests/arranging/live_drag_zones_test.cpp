#include "arranging/rules/live_drag_zones.h"

#include "live_drag_test_support.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

using testing::app;
using testing::folderTile;

const TileMetrics tile{.width = 100, .height = 120, .iconSize = 62};

TEST(LiveDragZones, ApplicationOverApplicationMergesNearTheIconAboveTheLabel) {
    const auto a = app("a");
    const auto b = app("b");
    {
        // max(0.6 × 70, 0.3 × 100) = 42 either side of the centre, strictly.
        const TileMetrics big{.width = 100, .height = 120, .iconSize = 70};
        EXPECT_TRUE(insideMergeZone(a, b, {.x = 91.99, .y = 0}, big));
        EXPECT_FALSE(insideMergeZone(a, b, {.x = 92, .y = 60}, big));
        EXPECT_TRUE(insideMergeZone(a, b, {.x = 8.01, .y = 60}, big));
        EXPECT_FALSE(insideMergeZone(a, b, {.x = 8, .y = 60}, big));
    }
    {
        // A 62-point icon: 37.2.
        EXPECT_TRUE(insideMergeZone(a, b, {.x = 87.1, .y = 60}, tile));
        EXPECT_FALSE(insideMergeZone(a, b, {.x = 87.3, .y = 60}, tile));
    }
    {
        // y must stay strictly above 0.9 × h = 108.
        EXPECT_TRUE(insideMergeZone(a, b, {.x = 50, .y = 107.99}, tile));
        EXPECT_FALSE(insideMergeZone(a, b, {.x = 50, .y = 108}, tile));
    }
    {
        // A small icon leaves 0.3 × w = 30 as the half-width.
        const TileMetrics small{.width = 100, .height = 120, .iconSize = 40};
        EXPECT_TRUE(insideMergeZone(a, b, {.x = 79.99, .y = 60}, small));
        EXPECT_FALSE(insideMergeZone(a, b, {.x = 80, .y = 60}, small));
    }
}

TEST(LiveDragZones, ApplicationOverFolderUsesFortyPercentOfTheWidthAtAnyHeight) {
    const auto a = app("a");
    const auto f = folderTile("f");
    EXPECT_TRUE(insideMergeZone(a, f, {.x = 89, .y = 119}, tile));
    EXPECT_FALSE(insideMergeZone(a, f, {.x = 90, .y = 60}, tile));
    EXPECT_TRUE(insideMergeZone(a, f, {.x = 10.01, .y = 60}, tile));
    EXPECT_FALSE(insideMergeZone(a, f, {.x = 10, .y = 60}, tile));
}

TEST(LiveDragZones, OnlyADraggedApplicationMergesAndNeverWithAPlaceholder) {
    const TilePoint centre{.x = 50, .y = 60};
    EXPECT_FALSE(insideMergeZone(folderTile("f"), app("b"), centre, tile));
    EXPECT_FALSE(insideMergeZone(folderTile("f"), folderTile("g"), centre, tile));
    EXPECT_FALSE(insideMergeZone(LayoutItem::placeholder("p"), app("b"), centre, tile));
    EXPECT_FALSE(insideMergeZone(app("a"), LayoutItem::placeholder("p"), centre, tile));
}

TEST(LiveDragZones, TheCentreLineMeansAfterOnTheGridAndBeforeInAFolder) {
    EXPECT_FALSE(placesAfter({.x = 49.99, .y = 0}, tile));
    EXPECT_TRUE(placesAfter({.x = 50, .y = 0}, tile));
    EXPECT_FALSE(placesAfterInFolder(50, 100));
    EXPECT_TRUE(placesAfterInFolder(51, 100));
}

TEST(LiveDragZones, TileDropOutcomes) {
    using Action = TileDrop::Action;
    // Nothing dragged, or dropped on itself: refused.
    EXPECT_EQ(tileDrop(std::nullopt, app("b"), {.x = 50, .y = 60}, tile).action, Action::refuse);
    EXPECT_EQ(tileDrop(app("b"), app("b"), {.x = 50, .y = 60}, tile).action, Action::refuse);
    EXPECT_EQ(tileDrop(app("a"), app("b"), {.x = 50, .y = 60}, tile).action, Action::makeFolder);
    EXPECT_EQ(tileDrop(app("a"), folderTile("f"), {.x = 89, .y = 60}, tile).action,
              Action::moveIntoFolder);
    EXPECT_EQ(tileDrop(app("a"), folderTile("f"), {.x = 90, .y = 60}, tile),
              (TileDrop{.action = Action::placeNextTo, .after = true}));
    // Exactly at the centre and at 0.9 × h: placed after, not grouped.
    EXPECT_EQ(tileDrop(app("a"), app("b"), {.x = 50, .y = 108}, tile),
              (TileDrop{.action = Action::placeNextTo, .after = true}));
    EXPECT_EQ(tileDrop(folderTile("f"), app("b"), {.x = 40, .y = 60}, tile),
              (TileDrop{.action = Action::placeNextTo, .after = false}));
}

} // namespace
} // namespace orbitdeck
