#include "library_layout_test_support.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

using namespace orbitdeck::testing;
using Items = std::vector<LayoutItem>;

TEST(LibraryLayoutSnapshot, EncodesExactBytesWithFoldersInIdOrder) {
    const LibraryLayout layout = libraryLayout(
        {tile("b"), app("path:/Applications/Z.app"), tile("a"), hole("h")},
        {folder("b", {app("x")}, "Bee"), folder("a", {app("y"), app("caf\xC3\xA9")}, "")});
    EXPECT_EQ(
        layout.encodedSnapshot(),
        R"({"items":[{"folder":{"_0":{"rawValue":"b"}}},)"
        R"({"application":{"_0":"path:\/Applications\/Z.app"}},)"
        R"({"folder":{"_0":{"rawValue":"a"}}},{"placeholder":{"_0":"h"}}],)"
        R"("folders":[{"id":{"rawValue":"a"},"name":"","items":[{"application":{"_0":"y"}},)"
        R"({"application":{"_0":"caf)"
        "\xC3\xA9"
        R"("}}]},{"id":{"rawValue":"b"},"name":"Bee","items":[{"application":{"_0":"x"}}]}]})");
    EXPECT_EQ(emptyLibraryLayout().encodedSnapshot(), std::nullopt);

    // Encoding then restoring with the same installed list gives an equal graph.
    LibraryLayout restored = emptyLibraryLayout();
    restored.restore(*layout.encodedSnapshot(), {"x", "y", "path:/Applications/Z.app"});
    EXPECT_EQ(restored.graph, layout.graph);
}

TEST(LibraryLayoutRestore, CompletesTheStoredPageWithNewApplications) {
    const auto restored = [](std::string_view bytes, std::vector<std::string> installed) {
        LibraryLayout layout = libraryLayout({app("old")});
        layout.restore(bytes, installed);
        return layout;
    };
    {
        SCOPED_TRACE("first run");
        EXPECT_EQ(restored("", {"a", "b", "c"}).pageItems(), (Items{app("a"), app("b"), app("c")}));
        EXPECT_TRUE(restored("", {}).graph) << "an empty page is still a layout";
    }
    {
        SCOPED_TRACE("stored ids stay, installed ids are appended once, in order");
        const auto layout = restored(
            R"({"items":[{"application":{"_0":"gone"}},{"folder":{"_0":{"rawValue":"f"}}},{"placeholder":{"_0":"p"}}],)"
            R"("folders":[{"id":{"rawValue":"f"},"name":"N","items":[{"application":{"_0":"in"}}]}]})",
            {"new", "in", "p", "new", "gone", "cafe\xCC\x81", "caf\xC3\xA9", "", "last"});
        EXPECT_EQ(layout.pageItems(), (Items{app("gone"), tile("f"), hole("p"), app("new"),
                                             app("cafe\xCC\x81"), app("last")}));
        EXPECT_EQ(layout.folder(FolderID{"f"})->items, Items{app("in")});
    }
    {
        SCOPED_TRACE("platform coder style: any key order, escaped solidus, extra keys, spaces");
        const auto layout = restored(
            "{ \"version\": 3, \"folders\" : [ {\"items\":[{\"application\":{\"_0\":\"b\"}}],"
            "\"name\":\"N\",\"id\":{\"rawValue\":\"f\",\"x\":1}} ],"
            "\"items\":[{\"folder\":{\"_0\":{\"rawValue\":\"f\"}}},"
            "{\"application\":{\"_0\":\"path:\\/Applications\\/A.app\"}}]}",
            {"path:/Applications/A.app", "b"});
        EXPECT_EQ(layout.pageItems(), (Items{tile("f"), app("path:/Applications/A.app")}));
    }
    const std::vector<std::pair<const char*, std::string>> startOver = {
        {"not JSON", "{\"items\":"},
        {"missing folders", R"({"items":[{"application":{"_0":"a"}}]})"},
        {"bare string id",
         R"({"items":[{"folder":{"_0":{"rawValue":"f"}}}],"folders":[{"id":"f","name":"N","items":[{"application":{"_0":"a"}}]}]})"},
        {"item with two keys",
         R"({"items":[{"application":{"_0":"a"},"placeholder":{"_0":"b"}}],"folders":[]})"},
        {"unreferenced folder",
         R"({"items":[{"application":{"_0":"a"}}],"folders":[{"id":{"rawValue":"f"},"name":"N","items":[{"application":{"_0":"z"}}]}]})"},
        {"repeated application",
         R"({"items":[{"application":{"_0":"c"}},{"application":{"_0":"c"}}],"folders":[]})"},
        {"empty identity", R"({"items":[{"application":{"_0":""}}],"folders":[]})"},
        {"top-level array", R"([])"},
    };
    for (const auto& [name, bytes] : startOver) {
        SCOPED_TRACE(name);
        const auto layout = restored(bytes, {"b", "a"});
        EXPECT_EQ(layout.pageItems(), (Items{app("b"), app("a")}));
        EXPECT_TRUE(layout.graph->folders().empty());
    }
}

} // namespace
} // namespace orbitdeck
