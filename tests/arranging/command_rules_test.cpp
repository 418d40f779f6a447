#include "arranging_fixture.h"

using namespace std::chrono_literals;
using namespace orbitdeck;
using namespace orbitdeck::testing;

using CommandRules = ArrangingTest;

namespace {

// The state a click meets.
struct Before {
    bool dragging = false;
    bool multiSelection = false;
    bool arranging = false;
    bool selected = false;
    bool clickToClose = true;
    bool suppressNextTap = false;
    bool searching = false;
};

} // namespace

TEST_F(CommandRules, ABackgroundClickAppliesTheFirstRuleThatHolds) {
    struct Case {
        const char* name;
        Before before;
        // After the click.
        bool multiSelection;
        bool arranging;
        bool selected;
        int hides;
    };
    const Case cases[] = {
        {"while dragging nothing changes", {true, true, true, true}, true, true, true, 0},
        {"a multi-selection only goes", {false, true, true, true}, false, true, true, 0},
        {"arranging only stops", {false, false, true, true}, false, false, true, 0},
        {"a selection is cleared before any hide",
         {false, false, false, true},
         false,
         false,
         false,
         0},
        {"nothing selected: the launcher hides", {}, false, false, false, 1},
        {"with click-to-close off nothing happens",
         {.clickToClose = false},
         false,
         false,
         false,
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SelectionState& selection = *window->selection();
        selection.setDraggingItem(c.before.dragging ? std::optional(item("F")) : std::nullopt);
        selection.setMultiSelection(c.before.multiSelection
                                        ? SelectionState::ItemSet{item("A"), item("B")}
                                        : SelectionState::ItemSet{});
        selection.setArranging(c.before.arranging);
        selection.setSelectedItem(c.before.selected ? std::optional(item("C")) : std::nullopt);
        window->settings()->setClickToClose(c.before.clickToClose);
        const int hidesBefore = harness->presentation.hides;

        commands().handleBackgroundClick();
        EXPECT_EQ(!selection.multiSelection().empty(), c.multiSelection);
        EXPECT_EQ(selection.arranging(), c.arranging);
        EXPECT_EQ(selection.selectedItem().has_value(), c.selected);
        EXPECT_EQ(harness->presentation.hides - hidesBefore, c.hides);
        selection.setDraggingItem(std::nullopt);
        harness->scheduler.advance(1s);
    }
}

TEST_F(CommandRules, ATileClickSwallowsSelectsClearsOrLaunches) {
    enum Outcome { nothing, launches, selects, clearsSelection };
    struct Case {
        const char* name;
        Before before;
        int modifiers;
        Outcome outcome;
    };
    const Case cases[] = {
        {"a plain click launches", {}, Qt::NoModifier, launches},
        {"the click ending a long press is swallowed",
         {.suppressNextTap = true},
         Qt::NoModifier,
         nothing},
        {"Ctrl selects", {}, Qt::ControlModifier, selects},
        {"Shift selects", {}, Qt::ShiftModifier, selects},
        {"Ctrl while searching launches", {.searching = true}, Qt::ControlModifier, launches},
        {"a plain click with a multi-selection only clears it",
         {.multiSelection = true},
         Qt::NoModifier,
         clearsSelection},
        {"Ctrl with a multi-selection adds to it",
         {.multiSelection = true},
         Qt::ControlModifier,
         selects},
        {"arranging: no launch", {.arranging = true}, Qt::NoModifier, nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SelectionState& selection = *window->selection();
        window->search()->setQuery(c.before.searching ? QStringLiteral("d") : QString());
        selection.setMultiSelection(c.before.multiSelection
                                        ? SelectionState::ItemSet{item("A"), item("B")}
                                        : SelectionState::ItemSet{});
        selection.setArranging(c.before.arranging);
        selection.setSuppressNextTap(c.before.suppressNextTap);
        selection.setOpenFolder(FolderID{"some-folder"});
        harness->launched.clear();

        commands().tileTapped(tile("D"), c.modifiers);
        EXPECT_FALSE(selection.suppressNextTap()) << "the mark is used up by one click";
        EXPECT_EQ(!harness->launched.empty(), c.outcome == launches);
        EXPECT_EQ(selection.multiSelection().contains(item("D")), c.outcome == selects);
        if (c.outcome == clearsSelection) {
            EXPECT_TRUE(selection.multiSelection().empty());
        }
        // Launching closes an open folder; anything else leaves it.
        EXPECT_EQ(selection.openFolder().has_value(), c.outcome != launches);
        harness->presentation.hiding = false;
        harness->scheduler.advance(1s);
    }
}

TEST_F(CommandRules, ALongPressArrangesAndItsClickIsSwallowedOnce) {
    SelectionState& selection = *window->selection();
    window->search()->setQuery("b");
    commands().tileLongPressEnded();
    EXPECT_FALSE(selection.arranging()) << "not while searching";
    EXPECT_FALSE(selection.suppressNextTap());

    window->search()->setQuery({});
    commands().tileLongPressEnded();
    EXPECT_TRUE(selection.arranging());
    commands().tileTapped(tile("B"), Qt::NoModifier);
    EXPECT_TRUE(harness->launched.empty());
    EXPECT_FALSE(selection.suppressNextTap());

    // A folder's click is swallowed the same way, and opens it the next time, even while
    // arranging; the keyboard selection goes.
    ASSERT_TRUE(operations().createFolder(item("A"), item("C"), true));
    const LayoutItem folder = window->layout()->layout().pageItems()[1];
    commands().tileLongPressEnded();
    commands().tileTapped(TileId(folder), Qt::NoModifier);
    EXPECT_FALSE(selection.openFolder());
    selection.setSelectedItem(item("E"));
    commands().tileTapped(TileId(folder), Qt::NoModifier);
    EXPECT_EQ(selection.openFolder(), folder.folderID());
    EXPECT_FALSE(selection.selectedItem());

    // "Edit Layout" arranges with no click pending: the next click is not swallowed.
    window->stopArranging();
    selection.setOpenFolder(std::nullopt);
    commands().editLayout();
    EXPECT_TRUE(selection.arranging());
    EXPECT_FALSE(selection.suppressNextTap());
    commands().clearSelection();
    selection.setSelectedItem(item("D"));
    commands().clearSelection();
    EXPECT_FALSE(selection.selectedItem());
}

TEST_F(CommandRules, CtrlArrowsTurnPagesWithinTheShownPages) {
    window->paging()->setNavCapacity(2);
    ASSERT_EQ(window->pageCount(), 3);
    EXPECT_FALSE(commands().handleKey(LibraryKey::previousPage)) << "no page before the first";
    EXPECT_EQ(window->paging()->page(), 0);
    EXPECT_TRUE(commands().handleKey(LibraryKey::nextPage));
    EXPECT_TRUE(commands().handleKey(LibraryKey::nextPage));
    EXPECT_EQ(window->paging()->page(), 2);
    EXPECT_EQ(window->paging()->direction(), "trailing");
    EXPECT_FALSE(commands().handleKey(LibraryKey::nextPage)) << "none after the last";
    EXPECT_EQ(window->paging()->page(), 2);
    EXPECT_TRUE(commands().handleKey(LibraryKey::previousPage));
    EXPECT_EQ(window->paging()->page(), 1);
    EXPECT_EQ(window->paging()->direction(), "leading");

    window->settings()->setBrowsingValue(LibraryBrowsing::scroll);
    EXPECT_FALSE(commands().handleKey(LibraryKey::nextPage)) << "no pages to turn";
}
