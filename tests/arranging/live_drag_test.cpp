#include "arranging/rules/live_drag.h"

#include "live_drag_test_support.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace orbitdeck {
namespace {

using testing::app;
using testing::FakeLibrary;
using testing::folderTile;
using Ids = std::vector<std::string>;

const TileMetrics tile{.width = 100, .height = 120, .iconSize = 62};
const TilePoint leftHalf{.x = 5, .y = 60};
const TilePoint rightHalf{.x = 95, .y = 60};
const TilePoint centre{.x = 50, .y = 60};

struct LiveDragTest : ::testing::Test {
    testing::LateCancelScheduler late;
    VirtualScheduler& scheduler = late.time;
    FakeLibrary library{{"a", "b", "c", "d", "e"}};
    bool buttonDown = true;
    int selectionCleared = 0;
    LiveDrag drag{late, nullptr,
                  LiveDrag::Actions{
                      .moveNextTo =
                          [this](const LayoutItem& item, const LayoutItem& target, bool after,
                                 bool recordUndo) {
                              return library.moveNextTo(item, target, after, recordUndo);
                          },
                      .clearSelection = [this] { ++selectionCleared; },
                      .pointerButtonDown = [this] { return buttonDown; },
                      .changed = {},
                  }};
};

TEST_F(LiveDragTest, AHoverCommitsAfterTheDelayOnce) {
    drag.begin(app("a"));
    EXPECT_EQ(selectionCleared, 1);
    drag.hover(app("c"), rightHalf, tile);
    scheduler.advance(89ms);
    EXPECT_EQ(library.order(), (Ids{"a", "b", "c", "d", "e"}));
    scheduler.advance(1ms);
    EXPECT_EQ(library.order(), (Ids{"b", "c", "a", "d", "e"}));
    EXPECT_EQ(drag.pendingMove(), (PendingMove{.target = app("c"), .after = true}));

    // Hovering on at the same spot schedules nothing more.
    drag.hover(app("c"), TilePoint{.x = 90, .y = 10}, tile);
    scheduler.advance(500ms);
    EXPECT_EQ(library.moves, 1);
}

TEST_F(LiveDragTest, TwoHoversFiftyMillisecondsApartCommitOnlyTheSecond) {
    drag.begin(app("a"));
    drag.hover(app("c"), leftHalf, tile);
    scheduler.advance(50ms);
    drag.hover(app("d"), rightHalf, tile);
    scheduler.advance(89ms);
    EXPECT_EQ(library.moves, 0);
    scheduler.advance(1ms);
    EXPECT_EQ(library.moves, 1);
    EXPECT_EQ(library.order(), (Ids{"b", "c", "d", "a", "e"}));
    scheduler.advance(1s);
    EXPECT_EQ(library.moves, 1);
}

TEST_F(LiveDragTest, AHoverInsideTheCooldownDoesNothingAndTheNextOneAfterItMoves) {
    drag.begin(app("a"));
    drag.hover(app("b"), rightHalf, tile);
    scheduler.advance(90ms);
    ASSERT_EQ(library.order(), (Ids{"b", "a", "c", "d", "e"}));

    scheduler.advance(219ms);
    drag.hover(app("d"), rightHalf, tile);
    EXPECT_EQ(drag.pendingMove(), (PendingMove{.target = app("b"), .after = true}));
    scheduler.advance(1s);
    EXPECT_EQ(library.moves, 1);

    drag.hover(app("d"), TilePoint{.x = 96, .y = 60}, tile);
    scheduler.advance(90ms);
    EXPECT_EQ(library.moves, 2);
    EXPECT_EQ(library.order(), (Ids{"b", "c", "d", "a", "e"}));
}

TEST_F(LiveDragTest, ThreeCommittedMovesMakeOneUndoEntryThatRestoresThePreDragLayout) {
    drag.begin(app("a"));
    for (const char* target : {"c", "e", "b"}) {
        drag.hover(app(target), rightHalf, tile);
        scheduler.advance(90ms + 220ms);
    }
    EXPECT_EQ(library.moves, 3);
    EXPECT_EQ(library.order(), (Ids{"b", "a", "c", "d", "e"}));
    ASSERT_EQ(library.undo.size(), 1u);
    library.undoLast();
    EXPECT_EQ(library.order(), (Ids{"a", "b", "c", "d", "e"}));

    {
        // The next drag records its own step.
        drag.reset();
        drag.begin(app("e"));
        drag.hover(app("a"), leftHalf, tile);
        scheduler.advance(90ms);
        EXPECT_EQ(library.undo.size(), 1u);
        EXPECT_EQ(library.order(), (Ids{"e", "a", "b", "c", "d"}));
    }
}

TEST_F(LiveDragTest, AMoveThatChangesNothingRecordsNoUndoStep) {
    drag.begin(app("a"));
    // a already stands right before b.
    drag.hover(app("b"), leftHalf, tile);
    scheduler.advance(90ms);
    EXPECT_EQ(library.moves, 1);
    EXPECT_TRUE(library.undo.empty());
    EXPECT_FALSE(drag.undoRecorded());

    // No cooldown followed the empty move.
    drag.hover(app("c"), rightHalf, tile);
    scheduler.advance(90ms);
    EXPECT_EQ(library.undo.size(), 1u);
    EXPECT_TRUE(drag.undoRecorded());
}

TEST_F(LiveDragTest, AMergeZoneMarksTheTargetAndCancelsThePendingMove) {
    drag.begin(app("a"));
    drag.hover(app("c"), rightHalf, tile);
    scheduler.advance(40ms);
    drag.hover(app("b"), centre, tile);
    EXPECT_EQ(drag.activeDropTile(), app("b"));
    EXPECT_FALSE(drag.pendingMove());
    scheduler.advance(1s);
    EXPECT_EQ(library.moves, 0);

    {
        // Outside the zone of the same tile the mark goes and a move is scheduled.
        drag.hover(app("b"), rightHalf, tile);
        EXPECT_FALSE(drag.activeDropTile());
        EXPECT_EQ(drag.pendingMove(), (PendingMove{.target = app("b"), .after = true}));
    }
    {
        // Leaving a tile clears only its own marks.
        drag.hover(folderTile("x"), centre, tile);
        EXPECT_EQ(drag.activeDropTile(), folderTile("x"));
        drag.hover(app("c"), std::nullopt, tile);
        EXPECT_EQ(drag.activeDropTile(), folderTile("x"));
        drag.hover(folderTile("x"), std::nullopt, tile);
        EXPECT_FALSE(drag.activeDropTile());
    }
    {
        // Hovering the dragged tile itself counts as leaving it.
        drag.hover(app("d"), leftHalf, tile);
        drag.hover(app("d"), std::nullopt, tile);
        EXPECT_FALSE(drag.pendingMove());
        scheduler.advance(1s);
        EXPECT_EQ(library.moves, 0);
    }
}

TEST_F(LiveDragTest, ResetEndsTheDragAndItsPendingMove) {
    drag.begin(app("a"));
    drag.hover(app("c"), rightHalf, tile);
    drag.reset();
    EXPECT_FALSE(drag.draggingItem());
    EXPECT_FALSE(drag.pendingMove());
    scheduler.advance(1s);
    EXPECT_EQ(library.moves, 0);

    // Without a drag a hover does nothing.
    drag.hover(app("c"), rightHalf, tile);
    scheduler.advance(1s);
    EXPECT_EQ(library.moves, 0);
}

TEST_F(LiveDragTest, TheButtonWatchEndsADragWhoseReleaseNobodyHandled) {
    drag.begin(app("a"));
    scheduler.advance(400ms);
    EXPECT_TRUE(drag.draggingItem());
    buttonDown = false;
    // Seen up at the check at 0.45 s, then 0.25 s of grace.
    scheduler.advance(299ms);
    EXPECT_TRUE(drag.draggingItem());
    scheduler.advance(1ms);
    EXPECT_FALSE(drag.draggingItem());
}

TEST(LiveDragWatch, AnOldDragsWatchNeverEndsANewDragOfTheSameTile) {
    testing::LateCancelScheduler scheduler;
    bool buttonDown = false;
    LiveDrag drag{scheduler,
                  nullptr,
                  {.moveNextTo = {},
                   .clearSelection = {},
                   .pointerButtonDown = [&] { return buttonDown; },
                   .changed = {}}};
    drag.begin(app("a"));
    scheduler.time.advance(100ms);
    drag.reset(); // dropped
    drag.begin(app("a"));
    buttonDown = true;
    // The first drag's watch reaches its final test at 0.3 s + 0.25 s.
    scheduler.time.advance(1s);
    EXPECT_EQ(drag.draggingItem(), app("a"));

    buttonDown = false;
    scheduler.time.advance(400ms);
    EXPECT_FALSE(drag.draggingItem());
}

} // namespace
} // namespace orbitdeck
