#include "arranging/rules/folder_panel.h"

#include "live_drag_test_support.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace orbitdeck {
namespace {

using testing::app;

TEST(FolderPanelGeometry, ColumnsTileAndScrollAreaFollowTheGrid) {
    {
        // Columns clamp to 4…7; rows round up.
        const auto wide = folderPanelGeometry(7, 12, 62);
        EXPECT_EQ(wide.columns, 7);
        EXPECT_EQ(wide.rows, 1);
        const auto narrow = folderPanelGeometry(7, 3, 62);
        EXPECT_EQ(narrow.columns, 4);
        EXPECT_EQ(narrow.rows, 2);
    }
    {
        // The tile clamps to 52…84; the column is 46 wider.
        EXPECT_EQ(folderPanelGeometry(1, 7, 40).cell, 98);
        EXPECT_EQ(folderPanelGeometry(1, 7, 100).cell, 130);
    }
    {
        // More than three rows scroll; an empty folder still has one row.
        const auto many = folderPanelGeometry(25, 5, 62);
        EXPECT_EQ(many.rows, 5);
        EXPECT_EQ(many.scrollWidth, (108 + 6) * 5 + 44);
        EXPECT_EQ(many.scrollHeight, (108 + 8) * 3 + 44);
        EXPECT_EQ(folderPanelGeometry(0, 7, 62).rows, 1);
    }
}

TEST(FolderPanelGeometry, ShownItemsAndAnchor) {
    const std::vector<LayoutItem> items{app("a"), LayoutItem::placeholder("gone"), app("hidden"),
                                        LayoutItem::folder(FolderID{"f"})};
    const auto shown = shownFolderItems(items, [](const std::string& id) { return id == "a"; });
    EXPECT_EQ(shown, (std::vector<LayoutItem>{app("a"), LayoutItem::folder(FolderID{"f"})}));

    EXPECT_EQ(folderAnchor(std::pair{250.0, 100.0}, 1000, 400), (UnitPoint{.x = 0.25, .y = 0.25}));
    EXPECT_EQ(folderAnchor(std::pair{-5.0, 900.0}, 1000, 400), (UnitPoint{.x = 0, .y = 1}));
    EXPECT_EQ(folderAnchor(std::nullopt, 1000, 400), UnitPoint{});
    EXPECT_EQ(folderAnchor(std::pair{1.0, 1.0}, 0, 400), UnitPoint{});
}

struct FolderLeaveTest : ::testing::Test {
    testing::LateCancelScheduler late;
    VirtualScheduler& scheduler = late.time;
    std::optional<LayoutItem> dragging = app("a");
    std::optional<FolderID> open = FolderID{"f"};
    std::vector<std::pair<LayoutItem, FolderID>> movedOut;
    bool arranging = false;
    int resets = 0;
    FolderLeave leave{late, nullptr,
                      FolderLeave::Actions{
                          .draggingItem = [this] { return dragging; },
                          .openFolder = [this] { return open; },
                          .moveOutOfFolder =
                              [this](const LayoutItem& item, const FolderID& folder) {
                                  movedOut.emplace_back(item, folder);
                              },
                          .closeFolder = [this] { open.reset(); },
                          .startArranging = [this] { arranging = true; },
                          .resetLiveDrag =
                              [this] {
                                  ++resets;
                                  dragging.reset();
                              },
                      }};
};

TEST_F(FolderLeaveTest, HeldOverTheBackdropTheTileLeavesOnceAfterItsFirstDeadline) {
    leave.schedule(FolderID{"f"});
    scheduler.advance(200ms);
    // Hovering on does not postpone the pending leave.
    leave.schedule(FolderID{"f"});
    scheduler.advance(179ms);
    EXPECT_TRUE(movedOut.empty());
    scheduler.advance(1ms);
    ASSERT_EQ(movedOut.size(), 1u);
    EXPECT_EQ(movedOut[0].first, app("a"));
    EXPECT_FALSE(open);
    EXPECT_TRUE(arranging);
    EXPECT_FALSE(leave.pending());
    scheduler.advance(1s);
    EXPECT_EQ(movedOut.size(), 1u);
}

TEST_F(FolderLeaveTest, ComingBackOrNoDragOrAnotherFolderSchedulesNothing) {
    leave.schedule(FolderID{"f"});
    scheduler.advance(300ms);
    leave.cancel();
    scheduler.advance(1s);
    EXPECT_TRUE(movedOut.empty());

    leave.schedule(FolderID{"g"});
    EXPECT_FALSE(leave.pending());
    dragging.reset();
    leave.schedule(FolderID{"f"});
    EXPECT_FALSE(leave.pending());

    {
        // The drag ended while the leave was pending: nothing moves.
        dragging = app("a");
        leave.schedule(FolderID{"f"});
        dragging.reset();
        scheduler.advance(1s);
        EXPECT_TRUE(movedOut.empty());
        EXPECT_FALSE(leave.pending());
    }
}

TEST_F(FolderLeaveTest, ACancelledTimerNeverClearsANewerOne) {
    leave.schedule(FolderID{"f"});
    scheduler.advance(300ms);
    leave.cancel();
    scheduler.advance(50ms);
    leave.schedule(FolderID{"f"});
    // The first timer's deadline passes; the second stays pending and keeps its own deadline.
    scheduler.advance(100ms);
    EXPECT_TRUE(leave.pending());
    scheduler.advance(279ms);
    EXPECT_TRUE(movedOut.empty());
    scheduler.advance(1ms);
    EXPECT_EQ(movedOut.size(), 1u);
}

TEST_F(FolderLeaveTest, ADropOnTheBackdropTakesTheTileOutAtOnce) {
    leave.schedule(FolderID{"f"});
    EXPECT_TRUE(leave.dropOnBackdrop(FolderID{"f"}));
    EXPECT_EQ(resets, 1);
    ASSERT_EQ(movedOut.size(), 1u);
    EXPECT_FALSE(open);
    EXPECT_FALSE(arranging);
    scheduler.advance(1s);
    EXPECT_EQ(movedOut.size(), 1u);

    // Nothing dragged: not taken.
    EXPECT_FALSE(leave.dropOnBackdrop(FolderID{"f"}));
}

} // namespace
} // namespace orbitdeck
