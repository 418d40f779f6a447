#include "arranging_fixture.h"

#include "arranging/drag_pointer.h"
#include "arranging/drag_session.h"
#include "arranging/drag_session_rules.h"
#include "window/item_keys.h"

using namespace std::chrono_literals;
using namespace orbitdeck;
using namespace orbitdeck::testing;

namespace {

// A grid tile as the grid lays it out: 100 × 96 with an icon of 62.
constexpr double w = 100;
constexpr double h = 96;
constexpr double s = 62;

} // namespace

// The window's own drag session, driven as the views drive it: a press on a tile, then the
// pointer moving over the window.
class DragSessionDrops : public ArrangingTest {
protected:
    DragSession& session() { return *window->findChild<DragSession*>(); }

    void drag(const QString& itemKey, bool folderTile = false) {
        auto* pointer = session().findChild<DragPointer*>();
        // A drop the views report ends with the release of the drag before.
        emit pointer->released({40, 10});
        if (!folderTile)
            window->selection()->setArranging(true);
        session().pressTile(itemKey, {10, 10}, {}, s, folderTile);
        emit pointer->moved({40, 10}, true);
        ASSERT_EQ(session().draggingItem(), itemKey);
    }

    FolderID makeFolder(const char* source, const char* target) {
        EXPECT_TRUE(operations().createFolder(item(source), item(target), true));
        for (const LayoutItem& entry : window->layout()->layout().pageItems())
            if (entry.isFolder())
                return entry.folderID();
        return FolderID{};
    }
};

TEST_F(DragSessionDrops, APressBecomesADragOnlyWhenArrangingAndFarEnough) {
    session().pressTile(key("A"), {10, 10}, {}, s);
    auto* pointer = session().findChild<DragPointer*>();
    emit pointer->moved({40, 10}, true);
    EXPECT_FALSE(session().dragging()) << "a grid tile drags only while arranging";

    window->selection()->setArranging(true);
    session().pressTile(key("A"), {10, 10}, {}, s);
    emit pointer->moved({19, 10}, true);
    EXPECT_FALSE(session().dragging()) << "9 points are still a press";
    emit pointer->moved({20, 10}, false);
    EXPECT_FALSE(session().dragging()) << "no drag without the button";
    emit pointer->moved({20, 10}, true);
    EXPECT_EQ(session().draggingItem(), key("A"));
    EXPECT_EQ(window->selection()->draggingItem(), item("A"));

    // The release ends the drag whether or not anything took the drop.
    emit pointer->released({20, 10});
    EXPECT_FALSE(session().dragging());
    EXPECT_FALSE(window->selection()->draggingItem());
}

TEST_F(DragSessionDrops, ADropOnATileGroupsMovesIntoAFolderOrPlaces) {
    // Nothing dragged, or the tile on itself: refused, nothing changes.
    EXPECT_FALSE(session().dropOnTile(key("B"), w / 2, 10, w, h, s));
    drag(key("A"));
    EXPECT_FALSE(session().dropOnTile(key("A"), w / 2, 10, w, h, s));
    EXPECT_TRUE(session().dragging()) << "a refused drop leaves the drag as it was";

    // On the middle of an application: a new folder at the target's place, target first.
    EXPECT_TRUE(session().dropOnTile(key("C"), w / 2, 10, w, h, s));
    EXPECT_EQ(page(), "B [CA] D E F");
    EXPECT_FALSE(session().dragging());

    // Into the folder when near its middle; beside it at 0.4 × w from the centre.
    const LayoutItem folder = window->layout()->layout().pageItems()[1];
    drag(key("E"));
    EXPECT_TRUE(session().dropOnTile(itemKey(folder), w / 2 + 39, 10, w, h, s));
    EXPECT_EQ(page(), "B [CAE] D F");
    drag(key("F"));
    EXPECT_TRUE(session().dropOnTile(itemKey(folder), w / 2 + 40, 10, w, h, s));
    EXPECT_EQ(page(), "B [CAE] F D");

    // Below 0.9 × h nothing groups: x = w/2 places after the target.
    drag(key("B"));
    EXPECT_TRUE(session().dropOnTile(key("D"), w / 2, 0.9 * h, w, h, s));
    EXPECT_EQ(page(), "[CAE] F D B");
    EXPECT_EQ(window->undoStack().size(), 4u);
}

TEST_F(DragSessionDrops, ADropInsideTheOpenFolderPlacesBeforeOrAfterItsTile) {
    const FolderID folder = makeFolder("B", "A");
    ASSERT_TRUE(operations().appendItem(item("C"), folder, true));
    ASSERT_EQ(page(), "[ABC] D E F");
    window->selection()->setOpenFolder(folder);
    const double cell = 108;

    drag(key("C"), true);
    EXPECT_FALSE(session().dropInFolder(key("C"), cell, cell)) << "on itself";
    EXPECT_FALSE(session().dragging()) << "a refused drop still ends the drag";
    drag(key("C"), true);
    EXPECT_TRUE(session().dropInFolder(key("A"), cell / 2, cell)) << "the middle means before";
    EXPECT_EQ(page(), "[CAB] D E F");
    drag(key("C"), true);
    EXPECT_TRUE(session().dropInFolder(key("A"), cell / 2 + 1, cell));
    EXPECT_EQ(page(), "[ACB] D E F");

    // The sort is neither read nor changed for the folder's own order.
    window->settings()->setSortValue(LibrarySort::nameReverse);
    drag(key("B"), true);
    EXPECT_TRUE(session().dropInFolder(key("A"), 0, cell));
    EXPECT_EQ(page(), "[BAC] D E F");
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::nameReverse);
    EXPECT_FALSE(session().dropInFolder(key("A"), 0, cell)) << "nothing dragged any more";
}

TEST_F(DragSessionDrops, EdgesAndPageDotsPlaceTheTileFirstOnTheirPage) {
    window->paging()->setNavCapacity(4);
    ASSERT_EQ(window->pageCount(), 2);
    drag(key("A"));
    // The payload the drag carries is what the drop reads.
    EXPECT_TRUE(session().dropOnEdge(true, session().payload()));
    EXPECT_EQ(page(), "B C D E A F");
    EXPECT_EQ(window->paging()->page(), 1);
    EXPECT_FALSE(session().dropOnEdge(true, QString())) << "nothing carried";

    drag(key("F"));
    EXPECT_TRUE(session().dropOnPageDot(0, session().payload()));
    EXPECT_EQ(page(), "F B C D E A");
    EXPECT_EQ(window->paging()->page(), 0);

    drag(key("A"));
    window->search()->setQuery("a");
    EXPECT_FALSE(session().dropOnPageDot(1, session().payload()))
        << "no drops on dots while searching";
}

TEST_F(DragSessionDrops, ASortedDropWritesTheShownOrderAndTurnsManual) {
    window->settings()->setSortValue(LibrarySort::nameReverse);
    ASSERT_EQ(window->tiles()->count(), 6);
    // The grid shows F E D C B A; dropping A after E keeps that order around the move.
    window->visible().setSortItems([](const std::vector<LayoutItem>& items, LibrarySort) {
        return std::vector<LayoutItem>(items.rbegin(), items.rend());
    });
    EXPECT_TRUE(moveNextToAsShown(*window, operations(), item("A"), item("E"), true, true));
    EXPECT_EQ(page(), "F E A D C B");
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::manual);
    EXPECT_FALSE(moveNextToAsShown(*window, operations(), item("A"), item("E"), true, true))
        << "already there";
    EXPECT_EQ(window->undoStack().size(), 1u);
}

TEST_F(DragSessionDrops, ALiveDragRecordsOneStepOnlyOnceSomethingMoved) {
    drag(key("A"));
    // Over B's leading half: A is already there, so nothing moves and no step is used up.
    session().hoverTile(key("B"), 5, 10, w, h, s);
    harness->scheduler.advance(LiveDrag::commitDelay);
    EXPECT_EQ(window->undoStack().size(), 0u);
    session().hoverTile(key("C"), w - 5, 10, w, h, s);
    harness->scheduler.advance(LiveDrag::commitDelay);
    EXPECT_EQ(page(), "B C A D E F");
    harness->scheduler.advance(LiveDrag::cooldown);
    session().hoverTile(key("E"), w - 5, 10, w, h, s);
    harness->scheduler.advance(LiveDrag::commitDelay);
    EXPECT_EQ(page(), "B C D E A F");
    EXPECT_EQ(window->undoStack().size(), 1u);

    undo().undo();
    EXPECT_EQ(page(), "A B C D E F");
    EXPECT_EQ(window->toasts()->text(), "Undone");
}

TEST_F(DragSessionDrops, FolderIconAndPanelShowTheSameApplications) {
    const FolderID folder = makeFolder("B", "A");
    ASSERT_TRUE(operations().appendItem(item("C"), folder, true));
    window->storeHidden({idOf("B")});
    const QString folderID = QString::fromStdString(folder.rawValue);
    const QList<TileId> panel = session().shownFolderItems(folderID);
    EXPECT_EQ(panel, (QList{TileId(item("A")), TileId(item("C"))}));
    QStringList paths;
    for (const TileId& tile : panel)
        paths.append(window->library()->appPath(tile.id()));

    // The folder's tile previews the same two, not the hidden one.
    TileListModel& tiles = *window->tiles();
    ASSERT_EQ(tiles.data(tiles.index(0), TileListModel::KindRole), QStringLiteral("folder"));
    EXPECT_EQ(tiles.data(tiles.index(0), TileListModel::PreviewPathsRole).toStringList(), paths);
    window->storeHidden({});
    EXPECT_EQ(tiles.data(tiles.index(0), TileListModel::PreviewPathsRole).toStringList().size(), 3);
}
