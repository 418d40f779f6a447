#include "library/library_sort.h"

#include "library/folder_titles.h"
#include "tests/library/library_layout_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

namespace orbitdeck {
namespace {

using namespace std::chrono_literals;

// The window state the orders read, with application ids equal to their names' keys.
struct SortFixture {
    std::unordered_map<std::string, std::string> displayNames;
    std::unordered_map<std::string, std::string> folderTitles;
    LaunchCounts launchCounts;
    AppDates recentUse;
    AppDates addedDates;
    std::string languageID = "en";

    LibrarySortContext context() const {
        return {.displayNames = displayNames,
                .folderTitles = folderTitles,
                .launchCounts = launchCounts,
                .recentUse = recentUse,
                .addedDates = addedDates,
                .languageID = languageID};
    }

    // Adds applications named as given, with ids "id0", "id1", … in that order.
    std::vector<LayoutItem> apps(const std::vector<std::string>& names) {
        std::vector<LayoutItem> items;
        for (const auto& name : names) {
            const std::string id = "id" + std::to_string(displayNames.size());
            displayNames[id] = name;
            items.push_back(LayoutItem::application(id));
        }
        return items;
    }

    std::vector<std::string> names(const std::vector<LayoutItem>& items) const {
        std::vector<std::string> result;
        for (const auto& item : items) {
            result.push_back(sortName(item, context()));
        }
        return result;
    }

    std::vector<std::string> sortedNames(const std::vector<LayoutItem>& items,
                                         LibrarySort mode) const {
        return names(sortedItems(items, mode, context()));
    }
};

using Names = std::vector<std::string>;

TEST(LibrarySortOrders, NamesCompareCaseInsensitiveAndNumericTiesKeepListOrder) {
    SortFixture state;
    const auto items = state.apps({"App 10", "app 2", "App 1"});
    EXPECT_EQ(state.sortedNames(items, LibrarySort::name), (Names{"App 1", "app 2", "App 10"}));
    EXPECT_EQ(state.sortedNames(items, LibrarySort::nameReverse),
              (Names{"App 10", "app 2", "App 1"}));
    EXPECT_EQ(state.sortedNames(items, LibrarySort::manual), (Names{"App 10", "app 2", "App 1"}));

    // Equal but for case: list order, in both directions.
    const auto ties = state.apps({"notes", "Zoom", "NOTES", "Notes"});
    const auto byName = sortedItems(ties, LibrarySort::name, state.context());
    EXPECT_EQ(byName, (std::vector{ties[0], ties[2], ties[3], ties[1]}));
    const auto reversed = sortedItems(ties, LibrarySort::nameReverse, state.context());
    EXPECT_EQ(reversed, (std::vector{ties[1], ties[0], ties[2], ties[3]}));

    // Accents still count; an unknown id sorts as the empty name, first.
    auto accented = state.apps({"Éclair", "Eclair"});
    accented.push_back(LayoutItem::application("not-installed"));
    EXPECT_EQ(state.sortedNames(accented, LibrarySort::name), (Names{"", "Eclair", "Éclair"}));
}

TEST(LibrarySortOrders, NamesFollowTheInterfaceLanguage) {
    SortFixture state;
    const auto items = state.apps({"Zebra", "Äpple"});
    state.languageID = "de";
    EXPECT_EQ(state.sortedNames(items, LibrarySort::name), (Names{"Äpple", "Zebra"}));
    state.languageID = "sv";
    EXPECT_EQ(state.sortedNames(items, LibrarySort::name), (Names{"Zebra", "Äpple"}));

    const auto chinese = state.apps({"支付宝", "微信", "百度"});
    state.languageID = "zh-Hans";
    EXPECT_EQ(state.sortedNames(chinese, LibrarySort::name), (Names{"百度", "微信", "支付宝"}));
}

TEST(LibrarySortOrders, UsageOrdersPutTheUnusedLastByName) {
    SortFixture state;
    const auto now = std::chrono::system_clock::now();
    auto items = state.apps({"Mail", "Books", "Notes", "Calendar"});
    state.folderTitles["folder-1"] = "Games";
    items.push_back(LayoutItem::folder(FolderID{"folder-1"}));
    // A folder's id never reaches the maps, even when they hold its text.
    state.launchCounts = {{"id0", 1}, {"id2", 3}, {"folder-1", 9}};
    state.recentUse = {{"id3", now - 1h}, {"id0", now - 2h}};
    state.addedDates = {{"id1", now - 24h}, {"id2", now}};

    EXPECT_EQ(state.sortedNames(items, LibrarySort::frequency),
              (Names{"Notes", "Mail", "Books", "Calendar", "Games"}));
    EXPECT_EQ(state.sortedNames(items, LibrarySort::recent),
              (Names{"Calendar", "Mail", "Books", "Games", "Notes"}));
    EXPECT_EQ(state.sortedNames(items, LibrarySort::added),
              (Names{"Notes", "Books", "Calendar", "Games", "Mail"}));
}

TEST(LibrarySortOrders, ComparatorAgreesWithTheKeyedSort) {
    SortFixture state;
    std::mt19937 random(7);
    const Names pool = {"App 1", "app 1", "App 01", "App 2", "Zed", "zed", "Émile", "Emile", ""};
    std::vector<std::string> names;
    for (int index = 0; index < 60; ++index) {
        names.push_back(pool[random() % pool.size()]);
    }
    auto items = state.apps(names);
    items.push_back(LayoutItem::folder(FolderID{"f"}));
    items.push_back(LayoutItem::placeholder("gone"));
    state.folderTitles["f"] = "app 1";
    const auto now = std::chrono::system_clock::now();
    for (int index = 0; index < 60; index += 3) {
        const std::string id = "id" + std::to_string(index);
        state.launchCounts[id] = static_cast<std::int64_t>(random() % 3);
        state.recentUse[id] = now - std::chrono::hours(random() % 3);
        state.addedDates[id] = now - std::chrono::hours(random() % 3);
    }
    for (const auto mode : {LibrarySort::name, LibrarySort::nameReverse, LibrarySort::added,
                            LibrarySort::recent, LibrarySort::frequency}) {
        SCOPED_TRACE(std::string(librarySortRawValue(mode)));
        auto indexed = indexedItems(items);
        std::ranges::reverse(indexed);
        std::ranges::sort(indexed, [&](const IndexedItem& a, const IndexedItem& b) {
            return compareForSort(a, b, mode, state.context());
        });
        std::vector<LayoutItem> viaComparator;
        for (const auto& entry : indexed) {
            viaComparator.push_back(entry.item);
        }
        EXPECT_EQ(viaComparator, sortedItems(items, mode, state.context()));
    }
}

TEST(LibrarySortOrders, RawValuesAndNameLookups) {
    for (const auto mode : {LibrarySort::manual, LibrarySort::name, LibrarySort::nameReverse,
                            LibrarySort::added, LibrarySort::recent, LibrarySort::frequency}) {
        EXPECT_EQ(librarySortFromRawValue(librarySortRawValue(mode)), mode);
    }
    EXPECT_EQ(librarySortRawValue(LibrarySort::nameReverse), "nameReverse");
    EXPECT_FALSE(librarySortFromRawValue("Name").has_value());
    EXPECT_FALSE(librarySortFromRawValue("").has_value());

    SortFixture state;
    const auto items = state.apps({"Mail"});
    EXPECT_EQ(displayName("id0", state.context()), "Mail");
    EXPECT_FALSE(displayName("id9", state.context()).has_value());
    EXPECT_EQ(sortName(LayoutItem::folder(FolderID{"missing"}), state.context()), "");
    EXPECT_EQ(sortName(LayoutItem::placeholder("id0"), state.context()), "Mail");
}

TEST(LibrarySortOrders, FoldersSortUnderTheTitleTheyAreShownUnder) {
    using testing::app;
    using testing::folder;
    const LocalizedText german = [](std::string_view key) {
        return key == "Other" ? std::string("Andere") : std::string("Neuer Ordner");
    };
    const auto layout = testing::libraryLayout(
        {LayoutItem::folder(FolderID{"macos-utilities"}), LayoutItem::folder(FolderID{"mine"}),
         LayoutItem::folder(FolderID{"renamed"}), LayoutItem::folder(FolderID{"kept"})},
        {folder("macos-utilities", {app("u1")}, "Other"), folder("mine", {app("m1")}, "New Folder"),
         folder("renamed", {app("r1")}, "Other"), folder("kept", {app("k1")}, "Zettel")});
    SortFixture state;
    state.languageID = "de";
    state.folderTitles = folderTitles(layout, german);
    // Only the utilities folder translates "Other"; any folder translates "New Folder".
    EXPECT_EQ(state.sortedNames(layout.pageItems(), LibrarySort::name),
              (Names{"Andere", "Neuer Ordner", "Other", "Zettel"}));

    auto renamedUtilities = folder("macos-utilities", {app("u1")}, "Werkzeuge");
    EXPECT_EQ(folderDisplayName(renamedUtilities, german), "Werkzeuge");
    EXPECT_TRUE(folderTitles(testing::emptyLibraryLayout(), german).empty());
}

} // namespace
} // namespace orbitdeck
