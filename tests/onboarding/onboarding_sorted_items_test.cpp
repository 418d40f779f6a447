#include "../window/window_state_harness.h"

#include "onboarding/sorted_items.h"

#include <gtest/gtest.h>

using namespace orbitdeck;
using namespace orbitdeck::testing;

namespace {

class SortedItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<WindowHarness>(
            std::vector<WindowHarness::Extension>{installSortedItems});
        harness->catalog.setApps({app("App 10", "ten"), app("app 2", "two"), app("App 1", "one"),
                                  app("Same", "same.first"), app("same", "same.second")});
        window = &harness->load();
    }

    std::vector<std::string> sorted(const std::vector<LayoutItem>& items, const char* sort) {
        std::vector<std::string> names;
        for (const LayoutItem& item : sortedItems(*window, items, *librarySortFromRawValue(sort))) {
            names.push_back(item.isFolder() ? "[" + item.payload + "]"
                                            : *window->library()->displayName(item.payload));
        }
        return names;
    }

    static LayoutItem item(const char* bundle) { return LayoutItem::application(appID(bundle)); }

    std::unique_ptr<WindowHarness> harness;
    AmbergridWindow* window = nullptr;
};

} // namespace

TEST_F(SortedItemsTest, NameOrdersAreNumericCaseInsensitiveAndKeepTies) {
    const std::vector items = {item("ten"), item("two"), item("one"), item("same.second"),
                               item("same.first")};
    EXPECT_EQ(sorted(items, "manual"),
              (std::vector<std::string>{"App 10", "app 2", "App 1", "same", "Same"}));
    EXPECT_EQ(sorted(items, "name"),
              (std::vector<std::string>{"App 1", "app 2", "App 10", "same", "Same"}));
    // Reversed by name only: equal names keep the list order.
    EXPECT_EQ(sorted(items, "nameReverse"),
              (std::vector<std::string>{"same", "Same", "App 10", "app 2", "App 1"}));
}

TEST_F(SortedItemsTest, UseOrdersPutMissingDataLastByName) {
    LaunchCounts counts{{appID("two"), 1}, {appID("ten"), 3}};
    window->library()->setLaunchCounts(counts);
    const std::vector items = {item("one"), item("two"), item("ten"), item("same.first")};
    EXPECT_EQ(sorted(items, "frequency"),
              (std::vector<std::string>{"App 10", "app 2", "App 1", "Same"}));

    RecentUse dates{{appID("same.first"), dateFromReferenceSeconds(5)},
                    {appID("one"), dateFromReferenceSeconds(9)}};
    window->library()->setRecentUse(dates);
    EXPECT_EQ(sorted(items, "recent"),
              (std::vector<std::string>{"App 1", "Same", "app 2", "App 10"}));

    // The grid follows new counts and dates (a launch) with nothing else changing.
    window->settings()->setSortValue(LibrarySort::frequency);
    window->library()->setLaunchCounts({{appID("one"), 7}});
    EXPECT_EQ(window->tiles()->items().front(), item("one"));
    window->settings()->setSortValue(LibrarySort::recent);
    window->library()->setRecentUse({{appID("two"), dateFromReferenceSeconds(20)}});
    EXPECT_EQ(window->tiles()->items().front(), item("two"));
}

TEST_F(SortedItemsTest, FolderTitlesAndTheirPlaceInTheOrder) {
    const LayoutFolder utilities{.id = FolderID{"macos-utilities"}, .name = "Other", .items = {}};
    const LayoutFolder renamed{.id = FolderID{"macos-utilities"}, .name = "Tools", .items = {}};
    const LayoutFolder fresh{.id = FolderID{"X"}, .name = "New Folder", .items = {}};
    const LayoutFolder other{.id = FolderID{"Y"}, .name = "Other", .items = {}};
    EXPECT_EQ(folderDisplayName(*window, utilities), "Other");
    EXPECT_EQ(folderDisplayName(*window, renamed), "Tools");
    EXPECT_EQ(folderDisplayName(*window, fresh), "New Folder");
    EXPECT_EQ(folderDisplayName(*window, other), "Other");

    // A folder sorts among the applications by its title.
    EXPECT_TRUE(window->updateLayout(true, [&](LibraryLayout& layout) {
        return layout.gatherIntoUtilitiesFolder(LayoutTextSet{appID("same.first")});
    }));
    EXPECT_EQ(window->folderTitleOf("macos-utilities"), "Other");
    EXPECT_TRUE(window->folderTitleOf("missing").isEmpty());
    const std::vector items = window->layout()->pageItems();
    EXPECT_EQ(sorted(items, "name"),
              (std::vector<std::string>{"App 1", "app 2", "App 10", "[macos-utilities]", "same"}));
}
