#include "library/library_sort_added_dates.h"
#include "library/library_sort_organization.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "orbitdeck-added-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

    fs::path bundle(const std::string& name) const {
        const auto bundle = path_ / name;
        fs::create_directories(bundle / "Contents");
        return bundle;
    }

private:
    fs::path path_;
};

TEST(LibrarySortAddedDates, ReadsEachBundleOnceFirstDatePerIdWins) {
    const TemporaryFolder folder;
    const AppDescriptor notes("Notes", "com.example.notes", folder.bundle("Notes.app"));
    const AppDescriptor copy("Notes", "COM.example.Notes", folder.bundle("Copy/Notes.app"));
    const AppDescriptor missing("Gone", "com.example.gone", folder.path() / "Gone.app");
    const AppDescriptor tool("Tool", std::nullopt, folder.bundle("Tool.app"));

    const auto dates = addedDates({notes, missing, copy, tool});
    EXPECT_EQ(dates.size(), 2U);
    EXPECT_FALSE(dates.contains(missing.id()));
    ASSERT_TRUE(dates.contains(notes.id()));
    EXPECT_EQ(dates.at(notes.id()), addedDates({notes}).at(notes.id()));
    const auto now = std::chrono::system_clock::now();
    EXPECT_LT(dates.at(tool.id()), now + 1min);
    EXPECT_GT(dates.at(tool.id()), now - 10min);
    EXPECT_TRUE(addedDates({}).empty());
}

// File times come from a coarse clock: waits until a new change is stamped later than item's.
bool waitForALaterTimestamp(const fs::path& folder, const fs::path& item) {
    const auto changed = [](const fs::path& path) {
        struct stat status {};
        ::lstat(path.c_str(), &status);
        return std::pair(status.st_ctim.tv_sec, status.st_ctim.tv_nsec);
    };
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    const fs::path probe = folder / "probe";
    do {
        fs::remove(probe);
        fs::create_directory(probe);
        if (changed(probe) > changed(item))
            return true;
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

TEST(LibrarySortAddedDates, AnApplicationMovedInLastIsTheNewest) {
    // Made in a download folder with an old modification time, then moved in after another
    // application was installed in place: it arrived last, though it was born first.
    const TemporaryFolder folder;
    const fs::path downloaded = folder.bundle("Downloads/Old.app");
    const fs::file_time_type longAgo =
        fs::last_write_time(downloaded) - std::chrono::hours(24 * 400);
    fs::last_write_time(downloaded, longAgo);
    ASSERT_TRUE(waitForALaterTimestamp(folder.path(), downloaded));
    const AppDescriptor installed("Installed", "com.example.installed",
                                  folder.bundle("Applications/Installed.app"));
    ASSERT_TRUE(waitForALaterTimestamp(folder.path(), installed.bundleURL()));
    const fs::path movedIn = folder.path() / "Applications/Old.app";
    fs::rename(downloaded, movedIn);
    ASSERT_EQ(fs::last_write_time(movedIn), longAgo);
    const AppDescriptor old("Old", "com.example.old", movedIn);

    const auto dates = addedDates({old, installed});
    ASSERT_EQ(dates.size(), 2U);
    EXPECT_GT(dates.at(old.id()), dates.at(installed.id()));
}

TEST(LibrarySortAddedDates, OnlyTheLatestStartedScanReplacesTheMap) {
    const auto now = std::chrono::system_clock::now();
    const AppDates before{{"bundle:a", now - 48h}};
    const AppDates firstResult{{"bundle:a", now - 24h}};
    const AppDates secondResult{{"bundle:b", now}};
    {
        // The older scan finishes last and is dropped.
        AddedDatesScans scans;
        AppDates shown = before;
        const auto first = scans.begin();
        const auto second = scans.begin();
        EXPECT_TRUE(scans.finish(second, secondResult, shown));
        EXPECT_FALSE(scans.finish(first, firstResult, shown));
        EXPECT_EQ(shown, secondResult);
    }
    {
        // The older scan finishes first: still dropped; the map waits for the latest.
        AddedDatesScans scans;
        AppDates shown = before;
        const auto first = scans.begin();
        const auto second = scans.begin();
        EXPECT_FALSE(scans.finish(first, firstResult, shown));
        EXPECT_EQ(shown, before);
        EXPECT_TRUE(scans.finish(second, secondResult, shown));
        EXPECT_EQ(shown, secondResult);
    }
}

TEST(LibrarySortOrganization, TransformsByCase) {
    LibraryLayout layout{.pageID = PageID{"applications"}, .graph = {}};
    layout.restore("", {"a", "b", "c"});
    const auto a = LayoutItem::application("a");
    const auto b = LayoutItem::application("b");
    const auto c = LayoutItem::application("c");
    const LayoutTextSet noUtilities;

    // Already in this order: no change.
    EXPECT_FALSE(applyOrganization(LibraryOrganization::sortByName, layout, {a, b, c}, {}));
    // Other items than the page: refused.
    EXPECT_FALSE(applyOrganization(LibraryOrganization::sortByName, layout,
                                   {a, b, LayoutItem::application("x")}, noUtilities));
    EXPECT_TRUE(applyOrganization(LibraryOrganization::sortByName, layout, {c, a, b}, {}));
    EXPECT_EQ(layout.pageItems(), (std::vector{c, a, b}));

    const auto stored = layout.encodedSnapshot();
    for (const auto organization :
         {LibraryOrganization::exportLayout, LibraryOrganization::importLayout,
          LibraryOrganization::welcome}) {
        EXPECT_FALSE(applyOrganization(organization, layout, {a, b, c}, noUtilities));
        EXPECT_EQ(layout.encodedSnapshot(), stored);
    }

    EXPECT_TRUE(
        applyOrganization(LibraryOrganization::systemUtilities, layout, {}, LayoutTextSet{"a"}));
    EXPECT_EQ(layout.pageItems().size(), 3U);
    EXPECT_TRUE(applyOrganization(LibraryOrganization::foldersFirst, layout, {}, noUtilities));
    EXPECT_TRUE(layout.pageItems().front().isFolder());
    EXPECT_TRUE(applyOrganization(LibraryOrganization::foldersLast, layout, {}, noUtilities));
    EXPECT_TRUE(layout.pageItems().back().isFolder());
    EXPECT_TRUE(applyOrganization(LibraryOrganization::ungroup, layout, {}, noUtilities));
    EXPECT_EQ(layout.pageItems().size(), 3U);
    EXPECT_FALSE(applyOrganization(LibraryOrganization::ungroup, layout, {}, noUtilities));
}

} // namespace
} // namespace orbitdeck
