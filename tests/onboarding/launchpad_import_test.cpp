#include "../window/window_state_harness.h"

#include "arranging/arranging_install.h"
#include "arranging/command_layer.h"
#include "arranging/undo_actions.h"
#include "onboarding/backup_file_chooser.h"
#include "onboarding/library_organizer.h"
#include "onboarding/sorted_items.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <thread>

using namespace orbitdeck;
using namespace orbitdeck::testing;

namespace {

using Entry = LaunchpadImporter::Entry;

class NoFiles final : public BackupFileChooser {
public:
    void chooseSaveLocation(const QString&, Answer answer) override { answer(std::nullopt); }
    void chooseFileToOpen(Answer answer) override { answer(std::nullopt); }
};

class LaunchpadImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness = std::make_unique<WindowHarness>(std::vector<WindowHarness::Extension>{
            [this](AmbergridWindow& window) { undo_ = installArranging(window).undo; },
            installSortedItems});
        harness->catalog.setApps({app("Alpha", "com.a"), app("Beta", "com.b"),
                                  app("Gamma", "com.c"), app("Delta", "com.d"),
                                  app("Epsilon", "com.e")});
        window = &harness->load();
        organizer = std::make_unique<LibraryOrganizer>(*window, files);
        organizer->setLaunchpadReader([this] { return entries; });
        window->settings()->setSortValue(LibrarySort::name);
        window->paging()->setPage(1);
    }

    // Starts the import and waits for its answer on the main thread.
    std::optional<int> importNow() {
        std::optional<std::optional<int>> answer;
        organizer->importLaunchpadLayout([&](std::optional<int> found) { answer = found; });
        EXPECT_TRUE(organizer->importingLaunchpad());
        harness->waitUntil([&] { return answer.has_value(); });
        EXPECT_FALSE(organizer->importingLaunchpad());
        return answer.value_or(std::optional<int>{-1});
    }

    std::vector<std::string> folderItems(const std::string& payload) const {
        std::vector<std::string> ids;
        const std::optional<LayoutFolder> folder =
            window->layout()->layout().folder(FolderID{payload});
        for (const LayoutItem& item : folder ? folder->items : std::vector<LayoutItem>{})
            ids.push_back(item.payload);
        return ids;
    }
    UndoActions& undo() { return *undo_; }

    std::unique_ptr<WindowHarness> harness;
    AmbergridWindow* window = nullptr;
    UndoActions* undo_ = nullptr;
    NoFiles files;
    std::unique_ptr<LibraryOrganizer> organizer;
    std::optional<std::vector<Entry>> entries;
};

} // namespace

TEST_F(LaunchpadImportTest, TakesInstalledAppsOnceDissolvesSmallFoldersAndAppendsTheRest) {
    entries = std::vector<Entry>{
        Entry{Entry::App{"COM.C"}}, // case differs from the installed identifier
        Entry{Entry::App{"not.installed"}},
        Entry{Entry::Folder{"Tools", {"com.a", "gone", "com.b"}}},
        Entry{Entry::Folder{"Single", {"com.d", "com.c"}}}, // com.c already placed: dissolves
        Entry{Entry::Folder{"", {"gone.too"}}},             // nothing installed: disappears
    };
    const std::size_t undoBefore = window->undoStack().size();
    EXPECT_EQ(importNow(), 4);

    const std::vector<std::string> page = harness->pageIDs();
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(page[0], appID("com.c"));
    EXPECT_EQ(folderItems(page[1]), (std::vector{appID("com.a"), appID("com.b")}));
    EXPECT_EQ(window->layout()->layout().folder(FolderID{page[1]})->name, "Tools");
    EXPECT_EQ(page[2], appID("com.d"));
    EXPECT_EQ(page[3], appID("com.e")) << "unlisted apps follow, uncounted";
    EXPECT_EQ(window->settings()->sortValue(), LibrarySort::manual);
    EXPECT_EQ(window->paging()->page(), 0);
    EXPECT_EQ(window->undoStack().size(), undoBefore + 1);

    // An untitled folder gets the default name; one undo step brings the old layout back.
    entries = std::vector<Entry>{Entry{Entry::Folder{"", {"com.e", "com.d"}}}};
    EXPECT_EQ(importNow(), 2);
    EXPECT_EQ(window->layout()->layout().folder(FolderID{harness->pageIDs()[0]})->name,
              "New Folder");
    undo().undo();
    EXPECT_EQ(harness->pageIDs(), page);
}

TEST_F(LaunchpadImportTest, NothingFoundLeavesLayoutSortAndPageAlone) {
    const std::vector<std::string> page = harness->pageIDs();
    const std::size_t undoBefore = window->undoStack().size();
    const auto unchanged = [&] {
        EXPECT_EQ(harness->pageIDs(), page);
        EXPECT_EQ(window->settings()->sortValue(), LibrarySort::name);
        EXPECT_EQ(window->paging()->page(), 1);
        EXPECT_EQ(window->undoStack().size(), undoBefore);
    };
    entries = std::nullopt;
    EXPECT_EQ(importNow(), std::nullopt);
    unchanged();
    entries = std::vector<Entry>{};
    EXPECT_EQ(importNow(), std::nullopt);
    unchanged();
    entries = std::vector<Entry>{Entry{Entry::App{"not.installed"}}};
    EXPECT_EQ(importNow(), 0);
    unchanged();

    entries = std::vector<Entry>{Entry{Entry::App{"com.b"}}, Entry{Entry::App{"not.installed"}}};
    EXPECT_EQ(importNow(), 1);
    EXPECT_EQ(harness->pageIDs().front(), appID("com.b"));
}

TEST_F(LaunchpadImportTest, TheDatabaseIsReadWhileTheWindowGoesOn) {
    // A reader that holds until the main thread has run on without it.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<bool> readOnMain = true;
    const auto mainThread = std::this_thread::get_id();
    organizer->setLaunchpadReader([&, released] {
        readOnMain = std::this_thread::get_id() == mainThread;
        released.wait_for(std::chrono::seconds(2));
        return std::optional<std::vector<Entry>>{{Entry{Entry::App{"com.b"}}}};
    });
    std::optional<std::optional<int>> answer;
    organizer->importLaunchpadLayout([&](std::optional<int> found) { answer = found; });
    EXPECT_TRUE(organizer->importingLaunchpad());
    organizer->importLaunchpadLayout(
        [](std::optional<int>) { ADD_FAILURE() << "a second import"; });
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    EXPECT_TRUE(harness->waitUntil([&] { return timerRan; }, 1000)) << "the window was blocked";
    EXPECT_FALSE(answer);
    release.set_value();
    ASSERT_TRUE(harness->waitUntil([&] { return answer.has_value(); }));
    EXPECT_FALSE(readOnMain);
    EXPECT_EQ(*answer, 1);
    EXPECT_FALSE(organizer->importingLaunchpad());
    EXPECT_EQ(window->layout()->pageItems().front().payload, "bundle:com.b");
}
