#include "library_layout_test_support.h"

#include <functional>
#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

using namespace orbitdeck::testing;
using Items = std::vector<LayoutItem>;

const LayoutContainer page = LayoutContainer::page(PageID{"applications"});

struct EditCase {
    const char* name;
    std::function<bool(LibraryLayout&)> edit;
    bool answer;
    Items expected; // the page afterwards; ignored when the answer is false
};

void runEdits(const LibraryLayout& start, const std::vector<EditCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LibraryLayout layout = start;
        const auto before = layout.encodedSnapshot();
        EXPECT_EQ(c.edit(layout), c.answer);
        if (c.answer)
            EXPECT_EQ(layout.pageItems(), c.expected);
        else
            EXPECT_EQ(layout.encodedSnapshot(), before)
                << "a refused edit leaves the layout as it was";
    }
}

TEST(LibraryLayoutOperations, MovesCountSlotsBeforeTheItemLeaves) {
    const LayoutItem a = app("A"), b = app("B"), c = app("C"), d = app("D");
    runEdits(libraryLayout({a, b, c, d}),
             {
                 {"A to 3", [&](auto& l) { return l.move(a, page, 3); }, true, {b, c, a, d}},
                 {"A to 4", [&](auto& l) { return l.move(a, page, 4); }, true, {b, c, d, a}},
                 {"D to 0", [&](auto& l) { return l.move(d, page, 0); }, true, {d, a, b, c}},
                 {"B to 1", [&](auto& l) { return l.move(b, page, 1); }, false, {}},
                 {"B to 2", [&](auto& l) { return l.move(b, page, 2); }, false, {}},
                 {"beyond the end", [&](auto& l) { return l.move(a, page, 5); }, false, {}},
                 {"absent item", [&](auto& l) { return l.move(app("Z"), page, 0); }, false, {}},
                 {"onto itself", [&](auto& l) { return l.move(a, a, true); }, false, {}},
                 {"A after C", [&](auto& l) { return l.move(a, c, true); }, true, {b, c, a, d}},
                 {"C before A", [&](auto& l) { return l.move(c, a, false); }, true, {c, a, b, d}},
                 {"next to an absent target",
                  [&](auto& l) { return l.move(a, app("Z"), false); },
                  false,
                  {}},
             });
    LibraryLayout none = emptyLibraryLayout();
    EXPECT_FALSE(none.move(a, page, 0));
    EXPECT_FALSE(none.remove(a));
    EXPECT_FALSE(none.applyOrder({}));
    EXPECT_EQ(none.position(a), std::nullopt);
    EXPECT_TRUE(none.allApplicationIDs().empty());
}

TEST(LibraryLayoutOperations, FoldersLoseTheirTileWhenTheyEmpty) {
    const LibraryLayout start =
        libraryLayout({app("a"), tile("f"), tile("g"), app("b")},
                      {folder("f", {app("x")}), folder("g", {app("y"), app("z")})});
    runEdits(
        start,
        {
            {"last item out: takes the tile's place",
             [](auto& l) { return l.moveOutOfFolder(app("x"), FolderID{"f"}); },
             true,
             {app("a"), app("x"), tile("g"), app("b")}},
            {"out lands right after the tile",
             [](auto& l) { return l.moveOutOfFolder(app("z"), FolderID{"g"}); },
             true,
             {app("a"), tile("f"), tile("g"), app("z"), app("b")}},
            {"wrong folder",
             [](auto& l) { return l.moveOutOfFolder(app("x"), FolderID{"g"}); },
             false,
             {}},
            {"item on the page",
             [](auto& l) { return l.moveOutOfFolder(app("a"), FolderID{"f"}); },
             false,
             {}},
            {"the folder's own tile",
             [](auto& l) { return l.moveOutOfFolder(tile("f"), FolderID{"f"}); },
             false,
             {}},
            {"remove the last item of a folder",
             [](auto& l) { return l.remove(app("x")); },
             true,
             {app("a"), tile("g"), app("b")}},
            {"remove something absent",
             [](auto& l) { return l.remove(app("nope")); },
             true,
             {app("a"), tile("f"), tile("g"), app("b")}},
            {"remove a folder tile", [](auto& l) { return l.remove(tile("f")); }, false, {}},
            {"folder tile into a folder",
             [](auto& l) { return l.move(tile("f"), LayoutContainer::folder(FolderID{"g"}), 0); },
             false,
             {}},
            {"into a folder by target",
             [](auto& l) { return l.move(app("a"), app("y"), true); },
             true,
             {tile("f"), tile("g"), app("b")}},
        });
    LibraryLayout layout = start;
    EXPECT_EQ(layout.position(app("z")),
              (LayoutPosition{.container = LayoutContainer::folder(FolderID{"g"}), .index = 1}));
    EXPECT_EQ(layout.allApplicationIDs(), (std::vector<std::string>{"a", "b", "x", "y", "z"}));
    EXPECT_EQ(LibraryLayout::index(tile("g"), layout.pageItems()), 2u);
    EXPECT_EQ(layout.folder(FolderID{"h"}), std::nullopt);
}

TEST(LibraryLayoutOperations, RenameTrimsAndRefusesBlankNames) {
    LibraryLayout layout = libraryLayout({tile("f")}, {folder("f", {app("x")}, "Old")});
    EXPECT_FALSE(layout.renameFolder(FolderID{"f"}, " \n\t\u3000 "));
    EXPECT_EQ(layout.folder(FolderID{"f"})->name, "Old");
    EXPECT_TRUE(layout.renameFolder(FolderID{"f"}, "\u00A0 Games \n"));
    EXPECT_EQ(layout.folder(FolderID{"f"})->name, "Games");
    EXPECT_TRUE(layout.renameFolder(FolderID{"f"}, "Games")) << "a new graph, equal to the old";
    EXPECT_FALSE(layout.renameFolder(FolderID{"g"}, "Other"));
}

TEST(LibraryLayoutOperations, GatheringOrderingAndFlattening) {
    const LibraryLayout plain = libraryLayout({app("a"), tile("f"), app("u1"), app("b"), app("u2")},
                                              {folder("f", {app("u3")})});
    const LayoutTextSet utilities = {"u1", "u2", "u3"};
    const LayoutItem utilitiesTile = tile("macos-utilities");
    {
        LibraryLayout layout = plain;
        ASSERT_TRUE(layout.gatherIntoUtilitiesFolder(utilities));
        EXPECT_EQ(layout.pageItems(), (Items{app("a"), tile("f"), utilitiesTile, app("b")}));
        EXPECT_EQ(*layout.folder(FolderID{"macos-utilities"}),
                  folder("macos-utilities", {app("u1"), app("u2")}, "Other"));
        EXPECT_EQ(layout.folder(FolderID{"f"})->items, Items{app("u3")}) << "folder contents stay";
        EXPECT_FALSE(layout.gatherIntoUtilitiesFolder(utilities)) << "nothing left to gather";
    }
    {
        LibraryLayout layout = libraryLayout({utilitiesTile, app("a"), app("u1")},
                                             {folder("macos-utilities", {app("u0")}, "Mine")});
        ASSERT_TRUE(layout.gatherIntoUtilitiesFolder(utilities));
        EXPECT_EQ(layout.pageItems(), (Items{utilitiesTile, app("a")}));
        EXPECT_EQ(*layout.folder(FolderID{"macos-utilities"}),
                  folder("macos-utilities", {app("u0"), app("u1")}, "Mine"));
    }
    runEdits(
        plain,
        {
            {"folders first",
             [](auto& l) { return l.placeFolders(true); },
             true,
             {tile("f"), app("a"), app("u1"), app("b"), app("u2")}},
            {"folders last",
             [](auto& l) { return l.placeFolders(false); },
             true,
             {app("a"), app("u1"), app("b"), app("u2"), tile("f")}},
            {"reorder",
             [](auto& l) {
                 return l.applyOrder({app("b"), app("a"), tile("f"), app("u2"), app("u1")});
             },
             true,
             {app("b"), app("a"), tile("f"), app("u2"), app("u1")}},
            {"same order", [&](auto& l) { return l.applyOrder(plain.pageItems()); }, false, {}},
            {"missing item",
             [](auto& l) {
                 return l.applyOrder({app("b"), app("a"), tile("f"), app("u2")});
             },
             false,
             {}},
            {"foreign item",
             [](auto& l) {
                 return l.applyOrder({app("b"), app("a"), tile("f"), app("u2"), app("x")});
             },
             false,
             {}},
            {"repeated item",
             [](auto& l) {
                 return l.applyOrder(
                     {app("b"), app("a"), tile("f"), app("u2"), app("u1"), app("a")});
             },
             false,
             {}},
            {"flatten",
             [](auto& l) { return l.flatten(); },
             true,
             {app("a"), app("u3"), app("u1"), app("b"), app("u2")}},
        });
    LibraryLayout partitioned = libraryLayout({tile("f"), app("a")}, {folder("f", {app("x")})});
    EXPECT_FALSE(partitioned.placeFolders(true));
    ASSERT_TRUE(partitioned.flatten());
    EXPECT_TRUE(partitioned.graph->folders().empty());
    EXPECT_FALSE(partitioned.flatten()) << "no folders left";
}

} // namespace
} // namespace orbitdeck
