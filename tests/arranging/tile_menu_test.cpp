#include "tile_actions_fixture.h"

using namespace orbitdeck;
using namespace orbitdeck::testing;

using TileMenuContent = TileActionsTest;
using TileMenuActions = TileActionsTest;

TEST_F(TileMenuContent, AnApplicationGetsItsGroupsInOrder) {
    // Not running, not docked, no folder on the page.
    EXPECT_EQ(names(menu().entriesFor(tile("B"))),
              "tile-menu-open - tile-menu-group-with{tile-menu-group-bundle:com.example.a "
              "tile-menu-group-bundle:com.example.c tile-menu-group-bundle:com.example.d "
              "tile-menu-group-bundle:com.example.e tile-menu-group-bundle:com.example.f} "
              "tile-menu-hide tile-menu-reveal tile-menu-dock - tile-menu-trash");
    EXPECT_EQ(find(menu().entriesFor(tile("B")), QStringLiteral("tile-menu-dock"))->title,
              QStringLiteral("Keep in Dock"));

    // Running and docked, with folders: Quit, "Remove from Dock", folders in page order.
    places.running.insert("com.example.B");
    places.docked.insert("/Applications/B.app");
    ASSERT_TRUE(operations().createFolder(item("E"), item("F"), true));
    ASSERT_TRUE(operations().createFolder(item("A"), item("C"), true));
    ASSERT_EQ(page(), "B [CA] D [FE]");
    const MenuEntries entries = menu().entriesFor(tile("B"));
    const std::string text = names(entries);
    EXPECT_EQ(text.substr(0, 32), "tile-menu-open tile-menu-quit - ");
    const QString first = QStringLiteral("tile-menu-folder-") + folderID(1);
    const QString second = QStringLiteral("tile-menu-folder-") + folderID(3);
    EXPECT_NE(text.find("tile-menu-move-to-folder{" + first.toStdString() + " " +
                        second.toStdString() + "}"),
              std::string::npos);
    EXPECT_EQ(find(entries, QStringLiteral("tile-menu-dock"))->title,
              QStringLiteral("Remove from Dock"));
    EXPECT_TRUE(find(entries, QStringLiteral("tile-menu-trash"))->destructive);

    // Refused by the Trash rule: no last divider and no "Move to Trash…".
    trash.refused.insert("D");
    EXPECT_TRUE(names(menu().entriesFor(tile("D"))).ends_with("tile-menu-reveal tile-menu-dock"));

    // No dock the user sees can keep it: no Dock entry at all.
    places.dockable = false;
    EXPECT_TRUE(names(menu().entriesFor(tile("D"))).ends_with("tile-menu-hide tile-menu-reveal"));
}

TEST_F(TileMenuContent, UnknownTilesFoldersAndSelectionsGetTheirOwnMenus) {
    // An id no application has: only the layout entries and "Hide".
    const LayoutItem gone = LayoutItem::placeholder("bundle:com.example.gone");
    EXPECT_EQ(names(menu().entries(gone, {gone})), "tile-menu-hide");
    EXPECT_EQ(names(menu().entries(gone, {gone, item("A")})),
              "tile-menu-group-with{tile-menu-group-bundle:com.example.a} tile-menu-hide");

    ASSERT_TRUE(operations().createFolder(item("A"), item("B"), true));
    EXPECT_EQ(names(menu().entriesFor(folderTile(0))),
              "tile-menu-open-folder tile-menu-rename tile-menu-ungroup");

    // A selection of one, or of tiles without this one: the ordinary menu.
    ctrlClick("C");
    EXPECT_EQ(names(menu().entriesFor(tile("C"))).substr(0, 14), "tile-menu-open");
    ctrlClick("D");
    EXPECT_EQ(names(menu().entriesFor(tile("E"))).substr(0, 14), "tile-menu-open");
    const MenuEntries entries = menu().entriesFor(tile("C"));
    EXPECT_EQ(names(entries),
              "tile-menu-selection-count tile-menu-new-folder tile-menu-move-to-folder{" +
                  ("tile-menu-folder-" + folderID(0)).toStdString() +
                  "} tile-menu-hide-selected - tile-menu-deselect-all");
    EXPECT_EQ(entries[0].title, QStringLiteral("2 apps selected"));
    EXPECT_TRUE(entries[1].enabled);
}

TEST(TileMenuCandidates, GroupWithStopsAtThirtyAndSkipsFolders) {
    ArrangingParts arranging;
    WindowHarness harness(
        {[&arranging](AmbergridWindow& window) { arranging = installArranging(window); }});
    std::vector<AppDescriptor> apps;
    for (int number = 0; number < 40; ++number)
        apps.push_back(
            app("App" + std::to_string(number), "com.example.n" + std::to_string(number)));
    harness.catalog.setApps(apps);
    AmbergridWindow& window = harness.load();
    TileMenu& menu = *arranging.commands->tileMenu();
    const std::vector<LayoutItem> drawn = window.visible().visibleItems();
    const MenuEntries entries = menu.entries(drawn[5], drawn);
    const MenuEntries group = entries[2].entries;
    ASSERT_EQ(group.size(), 30);
    EXPECT_EQ(group.back().title, QStringLiteral("App30"));

    // Only folders around it: no "Group With".
    const LayoutItem folder = LayoutItem::folder(FolderID{"f"});
    EXPECT_EQ(menu.entries(drawn[0], {drawn[0], folder})[2].name, QStringLiteral("tile-menu-hide"));
}

TEST_F(TileMenuActions, EntriesActOnTheirTile) {
    // "Group With": the candidate's place, candidate first.
    choose(tile("A"), QStringLiteral("tile-menu-group-bundle:com.example.c"));
    EXPECT_EQ(page(), "B [CA] D E F");
    const TileId folder = folderTile(1);
    choose(tile("E"), QStringLiteral("tile-menu-folder-") + folder.id());
    EXPECT_EQ(page(), "B [CAE] D F");

    // Opening from the menu centres the folder and clears the keyboard selection.
    window->selection()->setSelectedItem(item("B"));
    window->selection()->setFolderAnchor({0.1, 0.9});
    choose(folder, QStringLiteral("tile-menu-rename"));
    EXPECT_EQ(window->selection()->openFolderID(), folder.id());
    EXPECT_EQ(window->selection()->folderAnchor(), QPointF(0.5, 0.5));
    EXPECT_FALSE(window->selection()->selectedItem());

    // Ungroup puts the items back in folder order where the folder stood.
    window->selection()->setOpenFolder(std::nullopt);
    choose(folder, QStringLiteral("tile-menu-ungroup"));
    EXPECT_EQ(page(), "B C A E D F");

    // Dock, quit, reveal, hide and open reach their services.
    places.running.insert("com.example.D");
    choose(tile("D"), QStringLiteral("tile-menu-dock"));
    EXPECT_TRUE(places.docked.contains("/Applications/D.app"));
    choose(tile("D"), QStringLiteral("tile-menu-dock"));
    EXPECT_TRUE(places.docked.empty());
    choose(tile("D"), QStringLiteral("tile-menu-quit"));
    EXPECT_EQ(places.quits, std::vector<std::string>{"com.example.D"});
    choose(tile("D"), QStringLiteral("tile-menu-reveal"));
    EXPECT_EQ(places.revealed.size(), 1u);
    choose(tile("D"), QStringLiteral("tile-menu-open"));
    EXPECT_EQ(harness->launched.back(), idOf("D"));
    choose(tile("F"), QStringLiteral("tile-menu-hide"));
    EXPECT_TRUE(window->library()->hiddenIDs().contains(idOf("F")));
    choose(tile("B"), QStringLiteral("tile-menu-trash"));
    EXPECT_EQ(uninstalling().candidateID(), QString::fromStdString(idOf("B")));
}

TEST_F(TileMenuContent, GroupWithOffersOnlyTheTilesOfThePageShown) {
    // Two pages of four: the second shows E and F.
    window->paging()->setNavCapacity(4);
    window->paging()->setPage(1);
    EXPECT_EQ(names(menu().entriesFor(tile("E"))).substr(0, 80),
              "tile-menu-open - tile-menu-group-with{tile-menu-group-bundle:com.example.f} tile");
    // A page beyond the items counts as the last one; scrolling draws every tile.
    window->paging()->setPage(7);
    EXPECT_EQ(menu().drawnItems(), (std::vector{item("E"), item("F")}));
    window->settings()->setBrowsingValue(LibraryBrowsing::scroll);
    EXPECT_EQ(menu().drawnItems().size(), 6u);
}

TEST_F(TileMenuContent, TilesInsideTheOpenFolderGetTheirOwnMenu) {
    ASSERT_TRUE(operations().createFolder(item("B"), item("A"), true));
    window->selection()->setOpenFolder(window->layout()->pageItems()[0].folderID());
    EXPECT_EQ(names(menu().folderTileEntries(tile("A"))),
              "tile-menu-hide tile-menu-reveal tile-menu-dock tile-menu-move-out");
    EXPECT_EQ(
        find(menu().folderTileEntries(tile("A")), QStringLiteral("tile-menu-move-out"))->title,
        QStringLiteral("Move Out of Folder"));
    // An id no application has: only hide and the move out.
    EXPECT_EQ(
        names(menu().folderTileEntries(TileId(LayoutItem::placeholder("bundle:com.example.gone")))),
        "tile-menu-hide tile-menu-move-out");
}

TEST_F(TileMenuActions, MoveOutOfFolderKeepsThePanelUntilTheFolderIsGone) {
    ASSERT_TRUE(operations().createFolder(item("B"), item("A"), true));
    ASSERT_TRUE(
        operations().appendItem(item("C"), window->layout()->pageItems()[0].folderID(), true));
    const FolderID folder = window->layout()->pageItems()[0].folderID();
    window->selection()->setOpenFolder(folder);
    const auto moveOut = [&](const char* name) {
        const std::optional<MenuEntry> entry =
            find(menu().folderTileEntries(tile(name)), QStringLiteral("tile-menu-move-out"));
        ASSERT_TRUE(entry);
        menu().run(static_cast<MenuAction>(entry->action), tile(name), entry->argument);
    };
    const std::size_t steps = window->undoStack().size();
    moveOut("A");
    EXPECT_EQ(page(), "[BC] A D E F");
    EXPECT_EQ(window->undoStack().size(), steps + 1);
    EXPECT_EQ(window->selection()->openFolder(), folder);
    moveOut("B");
    moveOut("C");
    EXPECT_EQ(page(), "C B A D E F");
    EXPECT_FALSE(window->selection()->openFolder());

    // Hide from inside the folder hides that application, nothing behind the panel.
    ASSERT_TRUE(operations().createFolder(item("E"), item("D"), true));
    window->selection()->setOpenFolder(window->layout()->pageItems()[3].folderID());
    const std::optional<MenuEntry> hide =
        find(menu().folderTileEntries(tile("E")), QStringLiteral("tile-menu-hide"));
    ASSERT_TRUE(hide);
    menu().run(static_cast<MenuAction>(hide->action), tile("E"), {});
    EXPECT_EQ(window->library()->hiddenIDs(), HiddenIDs({idOf("E")}));
}
