#include "tile_actions_fixture.h"

#include "window/item_keys.h"

using namespace orbitdeck;
using namespace orbitdeck::testing;

using MultiSelectionClicks = TileActionsTest;
using MultiSelectionActions = TileActionsTest;

using Names = std::set<std::string>;

TEST_F(MultiSelectionClicks, CtrlTogglesAndShiftAddsTheRunFromTheAnchor) {
    // Shift with no anchor and nothing selected selects just the tile.
    shiftClick("C");
    EXPECT_EQ(selected(), Names({"C"}));
    EXPECT_FALSE(window->selection()->selectionAnchor());
    // With no anchor, a selected tile serves as one: nothing is taken out.
    shiftClick("C");
    EXPECT_EQ(selected(), Names({"C"}));
    window->selection()->clearMultiSelection();

    // Ctrl toggles and moves the anchor; a second Ctrl-click takes the tile out again.
    ctrlClick("B");
    ctrlClick("F");
    ctrlClick("F");
    EXPECT_EQ(selected(), Names({"B"}));
    EXPECT_EQ(window->selection()->selectionAnchor(), item("F"));

    // From the anchor forwards and backwards, keeping what was selected; the anchor stays.
    shiftClick("D");
    EXPECT_EQ(selected(), Names({"B", "D", "E", "F"}));
    window->selection()->clearMultiSelection();
    ctrlClick("E");
    shiftClick("B");
    EXPECT_EQ(selected(), Names({"B", "C", "D", "E"}));
    EXPECT_EQ(window->selection()->selectionAnchor(), item("E"));

    // A plain click is not a selection click; neither is one on a folder or during a search.
    EXPECT_FALSE(selecting().modifierClick(item("A"), Qt::NoModifier));
    ASSERT_TRUE(operations().createFolder(item("A"), item("B"), true));
    EXPECT_FALSE(selecting().modifierClick(window->layout()->pageItems()[0], Qt::ControlModifier));
    window->search()->setQuery(QStringLiteral("c"));
    EXPECT_FALSE(selecting().modifierClick(item("C"), Qt::ControlModifier));
}

TEST_F(MultiSelectionClicks, RangesSkipFoldersAndAHiddenAnchorTogglesAlone) {
    ASSERT_TRUE(operations().createFolder(item("C"), item("D"), true));
    ASSERT_EQ(page(), "A B [DC] E F");
    ctrlClick("A");
    shiftClick("E");
    EXPECT_EQ(selected(), Names({"A", "B", "E"}));
    EXPECT_EQ(selecting().selectedItemsInOrder(),
              (std::vector<LayoutItem>{item("A"), item("B"), item("E")}));

    // The anchor is hidden now: the Shift-click toggles only the tile clicked.
    window->selection()->clearMultiSelection();
    undo().hide(std::string(idOf("A")));
    shiftClick("F");
    EXPECT_EQ(selected(), Names({"F"}));
}

TEST_F(MultiSelectionActions, ANewFolderHoldsTheSelectionInVisibleOrderAsOneStep) {
    const std::size_t steps = window->undoStack().size();
    // One tile: the entry is off and the action does nothing, the selection stays.
    ctrlClick("D");
    selecting().newFolderWithSelection();
    EXPECT_EQ(page(), "A B C D E F");
    EXPECT_EQ(selected(), Names({"D"}));

    ctrlClick("F");
    ctrlClick("B");
    selecting().newFolderWithSelection();
    EXPECT_EQ(page(), "A [BDF] C E");
    EXPECT_EQ(window->layout()->layout().folder(window->layout()->pageItems()[1].folderID())->name,
              "New Folder");
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(window->undoStack().size(), steps + 1);
    undo().undo();
    EXPECT_EQ(page(), "A B C D E F");

    // A selected folder tile does not count: one application is too few, and the entry is off.
    ASSERT_TRUE(operations().createFolder(item("A"), item("B"), true));
    window->selection()->setMultiSelection({window->layout()->pageItems()[0], item("C")});
    const std::size_t before = window->undoStack().size();
    EXPECT_FALSE(menu().entriesFor(tile("C"))[1].enabled);
    selecting().newFolderWithSelection();
    EXPECT_EQ(window->undoStack().size(), before);
    EXPECT_EQ(window->selection()->multiSelection().size(), 2u);
}

TEST_F(MultiSelectionActions, MovesIntoAFolderAndHidesAsOneStepEach) {
    ASSERT_TRUE(operations().createFolder(item("A"), item("B"), true));
    ASSERT_EQ(page(), "[BA] C D E F");
    const QString folder = QString::fromStdString(window->layout()->pageItems()[0].payload);
    const std::size_t steps = window->undoStack().size();
    ctrlClick("F");
    ctrlClick("D");
    selecting().moveSelectionToFolder(folder);
    EXPECT_EQ(page(), "[BADF] C E");
    EXPECT_EQ(window->undoStack().size(), steps + 1);
    EXPECT_TRUE(selected().empty());

    // Hiding three: one toast with the count, one undo step brings all three back.
    ctrlClick("C");
    ctrlClick("E");
    window->selection()->setMultiSelection(
        {item("C"), item("E"), window->layout()->pageItems()[0]});
    selecting().hideSelectedApps();
    EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs({idOf("C"), idOf("E")}));
    EXPECT_TRUE(window->toasts()->text().startsWith(QStringLiteral("2 apps hidden")));
    EXPECT_TRUE(selected().empty());
    commands().handleKey(LibraryKey::undo);
    EXPECT_TRUE(window->library()->hiddenIDs().empty());

    // Nothing shown selected: no step at all.
    const std::size_t before = window->undoStack().size();
    selecting().hideSelectedApps();
    EXPECT_EQ(window->undoStack().size(), before);
}

TEST_F(MultiSelectionActions, EscapeClearsTheSelectionBeforeAnythingElse) {
    ctrlClick("A");
    ctrlClick("B");
    EXPECT_TRUE(commands().handleKey(LibraryKey::escape));
    EXPECT_TRUE(selected().empty());
    EXPECT_EQ(harness->presentation.hides, 0);
}
