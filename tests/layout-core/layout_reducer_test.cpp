#include "layout_test_support.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

using namespace orbitdeck::testing;

struct Fixture {
    std::vector<LayoutPage> pages;
    std::vector<LayoutFolder> folders;
};

struct ReducerCase {
    const char* name;
    Fixture start;
    LayoutCommand command;
    std::variant<Fixture, LayoutError> expected;
};

LayoutGraph graphOf(const Fixture& fixture) {
    return LayoutGraph::make(fixture.pages, fixture.folders);
}

const Fixture abc{{page("p", {app("a"), app("b"), app("c")})}, {}};
const Fixture withFolder{{page("p", {app("a"), tile("f"), app("b")}), page("q", {app("z")})},
                         {folder("f", {app("x"), app("y")})}};
const Fixture withSingle{{page("p", {app("a"), tile("f"), app("b")})}, {folder("f", {app("x")})}};

TEST(LayoutReducer, AppliesEachCommandOrReportsTheFirstFailedCheck) {
    const auto create = [](std::string id, std::string source, std::string target) {
        return LayoutCommand::createFolder(FolderID{std::move(id)}, "N", std::move(source),
                                           std::move(target));
    };
    const auto move = LayoutCommand::move;
    const std::vector<ReducerCase> cases = {
        // createFolder
        {"target first then source, at the target's slot less one", abc, create("n", "a", "c"),
         Fixture{{page("p", {app("b"), tile("n")})}, {folder("n", {app("c"), app("a")}, "N")}}},
        {"source after the target keeps the target's index", abc, create("n", "c", "a"),
         Fixture{{page("p", {tile("n"), app("b")})}, {folder("n", {app("a"), app("c")}, "N")}}},
        {"across pages", withFolder, create("n", "z", "b"),
         Fixture{{page("p", {app("a"), tile("f"), tile("n")}), page("q", {})},
                 {folder("f", {app("x"), app("y")}), folder("n", {app("b"), app("z")}, "N")}}},
        {"same application wins over everything", withFolder, create("f", "nope", "nope"),
         LayoutError::sameApplication("nope")},
        {"id in use", withFolder, create("f", "a", "b"),
         LayoutError::duplicateFolder(FolderID{"f"})},
        {"source looked up first", withFolder, create("n", "x", "nope"),
         LayoutError::applicationNotOnPage("x")},
        {"target inside a folder", withFolder, create("n", "a", "y"),
         LayoutError::applicationNotOnPage("y")},
        {"placeholder is not an application", Fixture{{page("p", {app("a"), hole("h")})}, {}},
         create("n", "a", "h"), LayoutError::applicationNotOnPage("h")},
        {"id and name taken as passed, even empty", abc, create("", "a", "b"),
         Fixture{{page("p", {tile(""), app("c")})}, {folder("", {app("b"), app("a")}, "N")}}},
        // renameFolder
        {"rename stores the text unchanged", withFolder,
         LayoutCommand::renameFolder(FolderID{"f"}, "  spaced "),
         Fixture{withFolder.pages, {folder("f", {app("x"), app("y")}, "  spaced ")}}},
        {"rename to empty", withFolder, LayoutCommand::renameFolder(FolderID{"f"}, ""),
         Fixture{withFolder.pages, {folder("f", {app("x"), app("y")}, "")}}},
        {"rename a missing folder", withFolder, LayoutCommand::renameFolder(FolderID{"g"}, "x"),
         LayoutError::missingFolder(FolderID{"g"})},
        // move within one container
        {"0 to 2", abc, move(onPage("p", 0), onPage("p", 2)),
         Fixture{{page("p", {app("b"), app("c"), app("a")})}, {}}},
        {"2 to 0", abc, move(onPage("p", 2), onPage("p", 0)),
         Fixture{{page("p", {app("c"), app("a"), app("b")})}, {}}},
        {"0 to 3 is past the shortened end", abc, move(onPage("p", 0), onPage("p", 3)),
         LayoutError::invalidIndex(onPage("p", 3))},
        {"source index -1", abc, move(onPage("p", -1), onPage("p", 0)),
         LayoutError::invalidIndex(onPage("p", -1))},
        {"source index at the length", abc, move(onPage("p", 3), onPage("p", 0)),
         LayoutError::invalidIndex(onPage("p", 3))},
        {"destination -1", abc, move(onPage("p", 0), onPage("p", -1)),
         LayoutError::invalidIndex(onPage("p", -1))},
        // move across containers
        {"to the destination's length appends", withFolder, move(onPage("p", 0), onPage("q", 1)),
         Fixture{{page("p", {tile("f"), app("b")}), page("q", {app("z"), app("a")})},
                 withFolder.folders}},
        {"one past the destination's length", withFolder, move(onPage("p", 0), onPage("q", 2)),
         LayoutError::invalidIndex(onPage("q", 2))},
        {"into a folder", withFolder, move(onPage("p", 0), inFolder("f", 1)),
         Fixture{{page("p", {tile("f"), app("b")}), page("q", {app("z")})},
                 {folder("f", {app("x"), app("a"), app("y")})}}},
        {"folder tile into a folder", withFolder, move(onPage("p", 1), inFolder("f", 0)),
         LayoutError::nestedFolder()},
        {"folder tile to another page", withFolder, move(onPage("p", 1), onPage("q", 0)),
         Fixture{{page("p", {app("a"), app("b")}), page("q", {tile("f"), app("z")})},
                 withFolder.folders}},
        {"nested check comes before the destination", withFolder,
         move(onPage("p", 1), inFolder("nope", 0)), LayoutError::nestedFolder()},
        {"last item out removes folder and tile", withSingle,
         move(inFolder("f", 0), onPage("p", 3)),
         Fixture{{page("p", {app("a"), app("b"), app("x")})}, {}}},
        {"tile before the insertion point shifts the item back", withSingle,
         move(inFolder("f", 0), onPage("p", 2)),
         Fixture{{page("p", {app("a"), app("x"), app("b")})}, {}}},
        {"only item back into its folder keeps the folder", withSingle,
         move(inFolder("f", 0), inFolder("f", 0)), withSingle},
        {"missing source page is examined first", abc, move(onPage("nope", 0), onPage("gone", 0)),
         LayoutError::missingPage(PageID{"nope"})},
        {"missing destination page", abc, move(onPage("p", 0), onPage("gone", 0)),
         LayoutError::missingPage(PageID{"gone"})},
        {"missing source folder", abc, move(inFolder("g", 0), onPage("p", 0)),
         LayoutError::missingFolder(FolderID{"g"})},
        {"source index before destination container", abc, move(onPage("p", 9), onPage("gone", 0)),
         LayoutError::invalidIndex(onPage("p", 9))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const LayoutGraph start = graphOf(c.start);
        const LayoutGraph before = start;
        const Outcome outcome = applied(c.command, start);
        EXPECT_EQ(start, before) << "the input never changes";
        if (const auto* error = std::get_if<LayoutError>(&c.expected)) {
            EXPECT_EQ(errorOf(outcome), *error);
        } else {
            ASSERT_FALSE(errorOf(outcome)) << errorOf(outcome)->what();
            EXPECT_EQ(std::get<LayoutGraph>(outcome), graphOf(std::get<Fixture>(c.expected)));
        }
    }
}

} // namespace
} // namespace orbitdeck
