#include "launchpad_fixture.h"

#include "../support/fifo_trap.h"
#include "onboarding/launchpad_importer.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>

using namespace orbitdeck;
using namespace orbitdeck::testing;

namespace {

using Entry = LaunchpadImporter::Entry;
namespace fs = std::filesystem;

Entry appEntry(const char* bundleID) {
    return Entry{Entry::App{bundleID}};
}
Entry folderEntry(const char* title, std::vector<std::string> ids) {
    return Entry{Entry::Folder{title, std::move(ids)}};
}

// Every test gets its own per-user folder and temporary folder, so copies can be counted.
class LaunchpadImporterTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.isValid());
        userDir = fs::path(home.path().toStdString()) / "darwin";
        tmpDir = fs::path(home.path().toStdString()) / "tmp";
        fs::create_directories(tmpDir);
        setenv("ORBITDECK_DARWIN_USER_DIR", userDir.c_str(), 1);
        setenv("TMPDIR", tmpDir.c_str(), 1);
        database = userDir / "com.apple.dock.launchpad" / "db" / "db";
    }
    void TearDown() override {
        unsetenv("ORBITDECK_DARWIN_USER_DIR");
        unsetenv("TMPDIR");
    }
    bool tmpIsEmpty() const { return fs::is_empty(tmpDir); }

    QTemporaryDir home;
    fs::path userDir;
    fs::path tmpDir;
    fs::path database;
};

} // namespace

TEST_F(LaunchpadImporterTest, ReadsPagesAndFoldersInOrderIntoOneList) {
    {
        LaunchpadFixture db(database);
        db.item({1, 1, 0, 0})    // root
            .item({10, 3, 1, 1}) // second page
            .item({11, 3, 1, 0}) // first page
            .item({20, 4, 11, 2})
            .app(20, "com.example.Later") // order 2
            .item({21, 4, 11, 1})
            .app(21, "com.example.Early") // order 1, read first
            .item({22, 4, 11, 1})
            .app(22, "com.example.Tie") // same order: query order kept
            .item({23, 4, 11, 0})
            .app(23, std::nullopt) // no identifier: skipped
            .item({24, 4, 11, 3})
            .app(24, "") // empty identifier: skipped
            .item({30, 2, 10, 0})
            .group(30, "Work") // folder with two pages
            .item({31, 3, 30, 1})
            .item({32, 3, 30, 0})
            .item({33, 4, 31, 0})
            .app(33, "com.example.Second")
            .item({34, 4, 32, 0})
            .app(34, "com.example.First")
            .item({35, 1, 32, 1}) // other types in a folder
            .item({40, 2, 10, 1}) // folder without apps: dropped
            .item({41, 3, 40, 0})
            .item({50, 2, 10, 2}) // folder without a title
            .item({51, 3, 50, 0})
            .item({52, 4, 51, 0})
            .app(52, "com.example.Loner")
            .item({60, 5, 10, 3});          // unknown type: ignored
        db.app(20, "com.example.Replaced"); // a repeated row keeps the last value
    }
    ASSERT_EQ(LaunchpadImporter::databaseURL(), database);
    const auto entries = LaunchpadImporter::readLayout();
    ASSERT_TRUE(entries);
    EXPECT_EQ(*entries, (std::vector<Entry>{
                            appEntry("com.example.Early"),
                            appEntry("com.example.Tie"),
                            appEntry("com.example.Replaced"),
                            folderEntry("Work", {"com.example.First", "com.example.Second"}),
                            folderEntry("", {"com.example.Loner"}),
                        }));
    EXPECT_TRUE(tmpIsEmpty()) << "the private copy is removed";
}

TEST_F(LaunchpadImporterTest, ChoosesTheRootWithMostPages) {
    {
        LaunchpadFixture db(database);
        db.item({1, 1, 0, 0}).item({2, 3, 1, 0}).item({3, 4, 2, 0}).app(3, "first.root");
        db.item({5, 1, 0, 0}).item({6, 3, 5, 0}).item({7, 3, 5, 1});
        db.item({8, 4, 7, 0}).app(8, "second.root");
        db.item({9, 1, 0, 0}).item({10, 3, 9, 0}).item({11, 3, 9, 1}); // a tie keeps the earlier
        db.item({12, 4, 11, 0}).app(12, "third.root");
    }
    EXPECT_EQ(LaunchpadImporter::readLayout(), (std::vector<Entry>{appEntry("second.root")}));
}

TEST_F(LaunchpadImporterTest, MissingEmptyDamagedAndPartialDatabases) {
    // No database at all.
    EXPECT_FALSE(LaunchpadImporter::databaseURL());
    EXPECT_FALSE(LaunchpadImporter::readLayout());

    // Tables but no rows: no root.
    { LaunchpadFixture db(database); }
    EXPECT_FALSE(LaunchpadImporter::readLayout());

    // A root without pages is an empty arrangement, which is not the same as none.
    fs::remove(database);
    { LaunchpadFixture(database).item({1, 1, 0, 0}); }
    EXPECT_EQ(LaunchpadImporter::readLayout(), std::vector<Entry>{});

    // Only the items table: every application lacks an identifier.
    fs::remove(database);
    {
        LaunchpadFixture(database, {"items"})
            .item({1, 1, 0, 0})
            .item({2, 3, 1, 0})
            .item({3, 4, 2, 0});
    }
    EXPECT_EQ(LaunchpadImporter::readLayout(), std::vector<Entry>{});

    // No items table: no root.
    fs::remove(database);
    { LaunchpadFixture(database, {"apps", "groups"}).app(1, "x"); }
    EXPECT_FALSE(LaunchpadImporter::readLayout());

    // Not a database.
    fs::remove(database);
    std::ofstream(database) << "SQLite format 3 but not really\n" << std::string(4096, '\x7f');
    EXPECT_FALSE(LaunchpadImporter::readLayout());

    // A folder in place of the file.
    fs::remove(database);
    fs::create_directories(database);
    EXPECT_FALSE(LaunchpadImporter::readLayout());
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(LaunchpadImporterTest, CyclesAndUnknownParentsNeitherLoopNorLeak) {
    {
        LaunchpadFixture db(database);
        db.item({1, 1, 1, 0}) // a root that is its own parent
            .item({2, 3, 1, 0})
            .item({3, 2, 2, 0})
            .group(3, "Loop") // a folder whose page holds the folder
            .item({4, 3, 3, 0})
            .item({5, 2, 4, 0}) // a folder inside a folder is ignored
            .item({6, 4, 4, 1})
            .app(6, "in.loop")
            .item({7, 3, 99, 0}) // a page under no known item
            .item({8, 4, 7, 0})
            .app(8, "orphan")
            .item({9, 4, 2, 1})
            .app(9, "loose");
        db.run("UPDATE items SET parent_id = 3 WHERE rowid = 2"); // page 2 now inside folder 3
        db.item({10, 3, 1, 1}).item({11, 2, 10, 0}).item({12, 3, 11, 0}).item({13, 3, 12, 0});
        db.item({14, 4, 10, 1}).app(14, "after.cycle");
    }
    EXPECT_EQ(LaunchpadImporter::readLayout(), (std::vector<Entry>{appEntry("after.cycle")}));
}

TEST_F(LaunchpadImporterTest, ReadsTheWriteAheadLogFromACopyAndLeavesTheOriginalAlone) {
    LaunchpadFixture db(database);
    db.run("PRAGMA journal_mode=WAL").run("PRAGMA wal_autocheckpoint=0");
    db.item({1, 1, 0, 0}).item({2, 3, 1, 0}).item({3, 4, 2, 0}).app(3, "only.in.wal");
    // The connection stays open, so the rows live only in the log.
    ASSERT_TRUE(fs::exists(database.string() + "-wal"));
    const auto sizeBefore = fs::file_size(database);
    const auto walBefore = fs::file_size(database.string() + "-wal");

    EXPECT_EQ(LaunchpadImporter::readLayout(), (std::vector<Entry>{appEntry("only.in.wal")}));
    EXPECT_EQ(fs::file_size(database), sizeBefore);
    EXPECT_EQ(fs::file_size(database.string() + "-wal"), walBefore);
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(LaunchpadImporterTest, AnEndlessViewEndsInNothingToImport) {
    {
        LaunchpadFixture db(database, {"apps", "groups"});
        db.run("CREATE VIEW items AS WITH RECURSIVE r(rowid, type, parent_id, ordering) AS "
               "(SELECT 1, 1, 0, 0 UNION ALL SELECT rowid + 1, 4, 1, rowid FROM r) "
               "SELECT * FROM r");
    }
    // In a child, so a read that never ends is stopped instead of hanging the tests.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(LaunchpadImporter::readLayout() ? 1 : 0);
    int status = 0;
    // The row cap ends it long before the time limit of the queries would.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            FAIL() << "the read did not end";
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "rows past the cap give nothing to import";
    EXPECT_TRUE(tmpIsEmpty());
}

TEST_F(LaunchpadImporterTest, TheCopyIsPrivateAndTakesRegularFilesOnly) {
    {
        LaunchpadFixture db(database);
        db.item({1, 1, 0, 0}).item({2, 3, 1, 0}).item({3, 4, 2, 0}).app(3, "com.example.a");
    }
    fs::permissions(database, fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::others_read);
    {
        const mode_t previous = ::umask(0);
        const auto copy = LaunchpadImporter::PrivateCopy::make(database);
        ::umask(previous);
        ASSERT_TRUE(copy);
        struct stat status {};
        ASSERT_EQ(::stat(copy->folder().c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0700u);
        ASSERT_EQ(::stat(copy->database().c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 0777, 0600u);
        EXPECT_EQ(fs::file_size(copy->database()), fs::file_size(database));
    }
    EXPECT_TRUE(tmpIsEmpty());
    {
        SCOPED_TRACE("a FIFO as the log beside the database");
        FifoTrap trap(database.string() + "-wal");
        ASSERT_TRUE(trap.made());
        EXPECT_FALSE(LaunchpadImporter::readLayout());
        EXPECT_FALSE(trap.rescued()) << "the copy waited for a writer";
        EXPECT_TRUE(tmpIsEmpty());
    }
}
