#include "library/library_layout.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(LibraryLayoutRestore, FirstRunHoldsEveryInstalledApplication) {
    LibraryLayout layout{.pageID = PageID{"applications"}, .graph = {}};
    layout.restore("", {"a", "b", "c"});
    ASSERT_TRUE(layout.graph);
    EXPECT_EQ(layout.pageItems(),
              (std::vector<LayoutItem>{LayoutItem::application("a"), LayoutItem::application("b"),
                                       LayoutItem::application("c")}));
    EXPECT_EQ(layout.encodedSnapshot(),
              R"({"items":[{"application":{"_0":"a"}},{"application":{"_0":"b"}},)"
              R"({"application":{"_0":"c"}}],"folders":[]})");
}

} // namespace
} // namespace orbitdeck
