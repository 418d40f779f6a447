#include "layout-core/layout_graph.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(LayoutGraphSmoke, BuildsAndCompares) {
    const auto graph = LayoutGraph::make(
        {LayoutPage{.id = PageID{"p"},
                    .items = {LayoutItem::application("a"), LayoutItem::folder(FolderID{"f"})}}},
        {LayoutFolder{.id = FolderID{"f"}, .name = "F", .items = {LayoutItem::placeholder("b")}}});
    EXPECT_EQ(graph.pages().size(), 1u);
    EXPECT_EQ(graph.folders().size(), 1u);
}

} // namespace
} // namespace orbitdeck
