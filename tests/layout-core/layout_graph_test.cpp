#include "layout_test_support.h"

#include <gtest/gtest.h>
#include <unordered_set>

namespace orbitdeck {
namespace {

using namespace orbitdeck::testing;

struct ValidationCase {
    const char* name;
    std::vector<LayoutPage> pages;
    std::vector<LayoutFolder> folders;
    std::optional<LayoutError> expected;
};

TEST(LayoutGraphValidation, ReportsTheFirstOffenceInWalkOrder) {
    const std::string composed = "caf\xC3\xA9";    // é as one code point
    const std::string decomposed = "cafe\xCC\x81"; // e + combining acute
    const std::vector<ValidationCase> cases = {
        {"empty graph", {}, {}, std::nullopt},
        {"no pages, one folder",
         {},
         {folder("f", {app("a")})},
         LayoutError::unreferencedFolder(FolderID{"f"})},
        {"empty pages anywhere",
         {page("p", {}), page("q", {app("a")}), page("r", {})},
         {},
         std::nullopt},
        {"repeated page before its items",
         {page("p", {app("a")}), page("p", {app("")})},
         {},
         LayoutError::duplicatePage(PageID{"p"})},
        {"repeated folder in the list before anything else",
         {page("p", {app("a"), app("a")})},
         {folder("f", {app("b")}), folder("f", {app("c")})},
         LayoutError::duplicateFolder(FolderID{"f"})},
        {"two tiles on one page",
         {page("p", {tile("f"), app("a"), tile("f")})},
         {folder("f", {app("b")})},
         LayoutError::duplicateFolder(FolderID{"f"})},
        {"two tiles on two pages",
         {page("p", {tile("f")}), page("q", {tile("f")})},
         {folder("f", {app("b")})},
         LayoutError::duplicateFolder(FolderID{"f"})},
        {"tile without folder",
         {page("p", {tile("f")})},
         {},
         LayoutError::missingFolder(FolderID{"f"})},
        {"tile of an empty folder",
         {page("p", {tile("f")})},
         {folder("f", {})},
         LayoutError::emptyFolder(FolderID{"f"})},
        {"empty folder without tile",
         {page("p", {app("a")})},
         {folder("f", {})},
         LayoutError::unreferencedFolder(FolderID{"f"})},
        {"folder tile inside an existing folder",
         {page("p", {tile("f"), tile("g")})},
         {folder("f", {tile("g")}), folder("g", {app("a")})},
         LayoutError::nestedFolder()},
        {"folder tile inside a folder, inner absent",
         {page("p", {tile("f")})},
         {folder("f", {tile("x")})},
         LayoutError::nestedFolder()},
        {"application then placeholder with one text",
         {page("p", {app("a")}), page("q", {hole("a")})},
         {},
         LayoutError::duplicateApplication("a")},
        {"empty text on a page",
         {page("p", {app("a"), hole("")})},
         {},
         LayoutError::emptyApplicationIdentity()},
        {"empty text in a folder",
         {page("p", {tile("f")})},
         {folder("f", {app("")})},
         LayoutError::emptyApplicationIdentity()},
        {"emptiness before repetition",
         {page("p", {app(""), app("")})},
         {},
         LayoutError::emptyApplicationIdentity()},
        {"smallest unreferenced folder",
         {page("p", {app("a")})},
         {folder("b", {app("x")}), folder("a", {app("y")})},
         LayoutError::unreferencedFolder(FolderID{"a"})},
        {"walk offences win over unreferenced folders",
         {page("p", {app("a"), app("a")})},
         {folder("f", {})},
         LayoutError::duplicateApplication("a")},
        {"unreferenced folder contents are never checked",
         {page("p", {app("a")})},
         {folder("f", {app("a"), app(""), tile("g")})},
         LayoutError::unreferencedFolder(FolderID{"f"})},
        {"folder contents count where the tile stands",
         {page("p", {tile("f"), app("")})},
         {folder("f", {app("x"), app("x")})},
         LayoutError::duplicateApplication("x")},
        {"folder contents seen before later page items",
         {page("p", {tile("f"), app("x")})},
         {folder("f", {app("x")})},
         LayoutError::duplicateApplication("x")},
        {"empty and repeated folder names",
         {page("p", {tile("f"), tile("g")})},
         {folder("f", {app("a")}, ""), folder("g", {app("b")}, "")},
         std::nullopt},
        {"canonically equal texts repeat",
         {page("p", {app(composed), hole(decomposed)})},
         {},
         LayoutError::duplicateApplication(composed)},
        {"canonically equal folder ids repeat",
         {page("p", {tile(composed)})},
         {folder(composed, {app("a")}), folder(decomposed, {app("b")})},
         LayoutError::duplicateFolder(FolderID{decomposed})},
        {"tile names a canonically equal folder",
         {page("p", {tile(decomposed)})},
         {folder(composed, {app("a")})},
         std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome outcome = build(c.pages, c.folders);
        EXPECT_EQ(errorOf(outcome), c.expected);
        if (c.expected) {
            EXPECT_EQ(errorOf(outcome)->kind(), c.expected->kind());
        }
    }
}

TEST(LayoutGraphValidation, EqualityHashingAndAccess) {
    const auto a = std::get<LayoutGraph>(build({page("p", {tile("f"), tile("g")})},
                                               {folder("f", {app("a")}), folder("g", {app("b")})}));
    const auto b = std::get<LayoutGraph>(build({page("p", {tile("f"), tile("g")})},
                                               {folder("g", {app("b")}), folder("f", {app("a")})}));
    EXPECT_EQ(a, b) << "folder order given to the constructor does not matter";
    EXPECT_NE(
        a, std::get<LayoutGraph>(build({page("p", {tile("f"), tile("g")})},
                                       {folder("f", {app("a")}, "G"), folder("g", {app("b")})})));

    EXPECT_NE(app("x"), hole("x"));
    EXPECT_NE(app("x"), tile("x"));
    const std::unordered_set<LayoutItem> items = {app("x"), hole("x"), tile("x"),
                                                  app("caf\xC3\xA9")};
    EXPECT_EQ(items.size(), 4u);
    EXPECT_TRUE(items.contains(app("cafe\xCC\x81")));
    EXPECT_LT(FolderID{"B"}, FolderID{"a"}) << "code-point order, case-sensitive";
    EXPECT_EQ(FolderID{"caf\xC3\xA9"} <=> FolderID{"cafe\xCC\x81"}, std::strong_ordering::equal);
    EXPECT_GT(FolderID{"e\xCC\x81"}, FolderID{"f"}) << "compared in NFC, not as stored";
    EXPECT_FALSE(textEquals("\xFF", "\xFE")) << "ill-formed text compares by its bytes";

    EXPECT_EQ(a.items(LayoutContainer::folder(FolderID{"g"})), std::vector<LayoutItem>{app("b")});
    EXPECT_EQ(errorOf([&]() -> Outcome {
                  try {
                      a.items(LayoutContainer::page(PageID{"q"}));
                      return a;
                  } catch (const LayoutError& e) {
                      return e;
                  }
              }()),
              LayoutError::missingPage(PageID{"q"}));
}

TEST(LayoutGraphValidation, LocatesOnlyApplicationsStandingOnPages) {
    const auto graph = std::get<LayoutGraph>(
        build({page("p", {hole("h"), tile("f")}), page("q", {app("x"), app("a")})},
              {folder("f", {app("in")})}));
    EXPECT_EQ(graph.locateApplication("a"),
              (LayoutGraph::ApplicationLocation{.page = 1, .index = 1}));
    for (const char* absent : {"h", "in", "f", "zz"}) {
        SCOPED_TRACE(absent);
        try {
            graph.locateApplication(absent);
            ADD_FAILURE() << "expected applicationNotOnPage";
        } catch (const LayoutError& error) {
            EXPECT_EQ(error, LayoutError::applicationNotOnPage(absent));
        }
    }
}

} // namespace
} // namespace orbitdeck
