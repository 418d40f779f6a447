#include "arranging_fixture.h"

#include "window/item_keys.h"

using namespace orbitdeck;
using namespace orbitdeck::testing;

using ArrangingLayoutOperations = ArrangingTest;

TEST_F(ArrangingLayoutOperations, FoldersAreMadeAtTheTargetsSlotAndUngroupedInPlace) {
    ASSERT_EQ(page(), "A B C D E F");
    // An application dropped on another: the folder holds target then source at the target.
    EXPECT_TRUE(operations().createFolder(item("A"), item("C"), true));
    EXPECT_EQ(page(), "B [CA] D E F");
    EXPECT_EQ(window->undoStack().size(), 1u);
    EXPECT_EQ(harness->stored(WindowSettings::layoutKey),
              QByteArray::fromStdString(*window->layout()->layout().encodedSnapshot()));

    // A folder tile or the same application refuses and leaves no trace.
    const LayoutItem folder = window->layout()->pageItems()[1];
    EXPECT_FALSE(operations().createFolder(folder, item("B"), true));
    EXPECT_FALSE(operations().createFolder(item("B"), item("B"), true));
    EXPECT_EQ(window->undoStack().size(), 1u);

    // Grouping a list keeps the first tile's slot and the list's order.
    EXPECT_TRUE(operations().groupSelectedItems({item("D"), item("B"), item("F")}, true));
    EXPECT_EQ(page(), "[CA] [DBF] E");

    // Ungrouping X,[A,B,C],Y gives X A B C Y, and the open folder closes with it.
    const LayoutItem group = window->layout()->pageItems()[1];
    window->selection()->setOpenFolder(group.folderID());
    EXPECT_TRUE(operations().ungroupFolder(group.folderID(), true));
    EXPECT_EQ(page(), "[CA] D B F E");
    EXPECT_FALSE(window->selection()->openFolder());
    EXPECT_FALSE(operations().ungroupFolder(FolderID{"missing"}, true));
}

TEST_F(ArrangingLayoutOperations, MovesAppendsRenamesAndOrders) {
    // Next to itself: nothing, no undo step.
    EXPECT_FALSE(operations().moveItem(item("B"), item("B"), false, std::nullopt, true));
    EXPECT_TRUE(operations().moveItem(item("A"), item("C"), true, std::nullopt, true));
    EXPECT_EQ(page(), "B C A D E F");
    EXPECT_TRUE(operations().moveItem(item("F"), item("B"), false, std::nullopt, true));
    EXPECT_EQ(page(), "F B C A D E");

    // An order that differs only in sequence is written first; one with other items is ignored.
    const std::vector order = {item("A"), item("B"), item("C"), item("D"), item("E"), item("F")};
    EXPECT_TRUE(operations().moveItem(item("A"), item("B"), true, order, true));
    EXPECT_EQ(page(), "B A C D E F");
    const std::vector foreign = {item("A"), item("B")};
    EXPECT_TRUE(operations().moveItem(item("F"), item("B"), false, foreign, true));
    EXPECT_EQ(page(), "F B A C D E");

    ASSERT_TRUE(operations().createFolder(item("C"), item("D"), true));
    const FolderID folder = window->layout()->pageItems()[3].folderID();
    EXPECT_TRUE(operations().appendItem(item("E"), folder, true));
    EXPECT_EQ(page(), "F B A [DCE]");
    const std::size_t steps = window->undoStack().size();
    // Already the folder's end, in order: nothing moves, nothing is recorded.
    EXPECT_FALSE(operations().moveSelectedItems({item("C"), item("E")}, folder, true));
    EXPECT_EQ(window->undoStack().size(), steps);
    EXPECT_TRUE(operations().moveSelectedItems({item("F"), item("D")}, folder, true));
    EXPECT_EQ(page(), "B A [CEFD]");

    EXPECT_TRUE(operations().renameFolder(folder, "  Work \n", true));
    EXPECT_EQ(window->layout()->layout().folder(folder)->name, "Work");
    EXPECT_FALSE(operations().renameFolder(folder, "   ", true));
    EXPECT_FALSE(operations().commitFolderRename(QString::fromStdString(folder.rawValue), "Work"));

    EXPECT_TRUE(operations().moveOutOfFolder(item("F"), folder, true));
    EXPECT_EQ(page(), "B A [CED] F");
}
