#include "platform/freedesktop_trash.h"
#include "platform/item_move.h"

#include "support/temp_home.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <regex>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

FreedesktopTrash::Options trashIn(const fs::path& homeTrash) {
    FreedesktopTrash::Options options = FreedesktopTrash::standardOptions();
    options.homeTrash = homeTrash;
    return options;
}

void makeBundle(const fs::path& bundle, const std::string& marker = "binary") {
    writeTextFile(bundle / "Contents" / "Info.plist", "<plist/>");
    writeTextFile(bundle / "Contents" / "MacOS" / "App", marker);
    fs::create_symlink("MacOS/App", bundle / "Contents" / "Link");
}

// A scratch folder on another filesystem than the temporary folder, when the machine has one.
std::optional<QTemporaryDir> otherFilesystemDir(const fs::path& here) {
    struct stat a {
    }, b{};
    if (::stat(here.c_str(), &a) != 0 || ::stat("/dev/shm", &b) != 0 || a.st_dev == b.st_dev ||
        ::access("/dev/shm", W_OK) != 0)
        return std::nullopt;
    std::optional<QTemporaryDir> dir(std::in_place,
                                     QStringLiteral("/dev/shm/orbitdeck-test-XXXXXX"));
    if (!dir->isValid())
        return std::nullopt;
    return dir;
}

TEST(FreedesktopTrash, MovesItemsIntoTheHomeTrashWithTheirRecords) {
    TempHome home;
    const fs::path trashFolder = home / ".local/share/Trash";
    EXPECT_EQ(FreedesktopTrash::standardOptions().homeTrash, trashFolder)
        << "the home trash follows XDG_DATA_HOME";
    FreedesktopTrash trash(trashIn(trashFolder));

    {
        SCOPED_TRACE("a first item creates the Trash and records where it came from");
        const fs::path app = home / "Applications/Café Tools.app";
        makeBundle(app);
        const TrashOutcome outcome = trash.recycle(app);
        ASSERT_FALSE(outcome.error) << *outcome.error;
        EXPECT_EQ(outcome.trashedPath, trashFolder / "files/Café Tools.app");
        EXPECT_FALSE(fs::exists(app));
        EXPECT_EQ(readTextFile(trashFolder / "files/Café Tools.app/Contents/MacOS/App"), "binary");
        const std::string record = readTextFile(trashFolder / "info/Café Tools.app.trashinfo");
        const std::string path =
            percentEncodedPath((home / "Applications").string()) + "/Caf%C3%A9%20Tools.app";
        const std::string head = "[Trash Info]\nPath=" + path + "\nDeletionDate=";
        ASSERT_TRUE(record.starts_with(head)) << record;
        EXPECT_TRUE(std::regex_match(record.substr(head.size()),
                                     std::regex("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n")))
            << record;
    }
    {
        SCOPED_TRACE(
            "a name already in the Trash gets the next free name, even one left without a record");
        makeBundle(home / "Applications/Café Tools.app", "second");
        writeTextFile(trashFolder / "files/Café Tools 2.app", "orphan");
        const TrashOutcome outcome = trash.recycle(home / "Applications/Café Tools.app");
        ASSERT_FALSE(outcome.error) << *outcome.error;
        EXPECT_EQ(outcome.trashedPath, trashFolder / "files/Café Tools 3.app");
        EXPECT_EQ(readTextFile(trashFolder / "files/Café Tools.app/Contents/MacOS/App"), "binary");
        EXPECT_EQ(readTextFile(trashFolder / "files/Café Tools 3.app/Contents/MacOS/App"),
                  "second");
        EXPECT_TRUE(fs::exists(trashFolder / "info/Café Tools 3.app.trashinfo"));
        EXPECT_FALSE(fs::exists(trashFolder / "info/Café Tools 2.app.trashinfo"));
    }
    {
        SCOPED_TRACE("a missing info folder is made again");
        fs::remove_all(trashFolder / "info");
        writeTextFile(home / "Notes.txt", "notes");
        const TrashOutcome outcome = trash.recycle(home / "Notes.txt");
        ASSERT_FALSE(outcome.error) << *outcome.error;
        EXPECT_TRUE(fs::exists(trashFolder / "info/Notes.txt.trashinfo"));
    }
    {
        SCOPED_TRACE("a link is trashed itself, never its target");
        writeTextFile(home / "Target.txt", "kept");
        fs::create_symlink(home / "Target.txt", home / "Link.txt");
        ASSERT_FALSE(trash.recycle(home / "Link.txt").error);
        EXPECT_TRUE(fs::is_symlink(trashFolder / "files/Link.txt"));
        EXPECT_EQ(readTextFile(home / "Target.txt"), "kept");
    }
    {
        SCOPED_TRACE("a missing item is an error");
        EXPECT_TRUE(trash.recycle(home / "Nothing.app").error);
    }
}

TEST(FreedesktopTrash, AnUnwritableTrashLeavesTheItemInPlace) {
    TempHome home;
    const fs::path app = home / "Applications/Tool.app";
    makeBundle(app);
    {
        SCOPED_TRACE("the Trash's place is taken by a file");
        writeTextFile(home / "BlockedTrash", "not a folder");
        FreedesktopTrash trash(trashIn(home / "BlockedTrash"));
        const TrashOutcome outcome = trash.recycle(app);
        ASSERT_TRUE(outcome.error);
        EXPECT_FALSE(outcome.trashedPath);
        EXPECT_TRUE(fs::exists(app / "Contents/MacOS/App"));
    }
    {
        SCOPED_TRACE("its files folder is a file");
        writeTextFile(home / "Trash/files", "not a folder");
        FreedesktopTrash trash(trashIn(home / "Trash"));
        EXPECT_TRUE(trash.recycle(app).error);
        EXPECT_TRUE(fs::exists(app / "Contents/MacOS/App"));
        EXPECT_FALSE(fs::exists(home / "Trash/info/Tool.app.trashinfo"));
    }
}

TEST(FreedesktopTrash, ItemsOnAnotherVolumeUseThatVolumesTrash) {
    TempHome home;
    std::optional<QTemporaryDir> volume = otherFilesystemDir(home.root());
    if (!volume)
        GTEST_SKIP() << "no second filesystem";
    const fs::path top = volume->path().toStdString();
    FreedesktopTrash::Options options = trashIn(home / ".local/share/Trash");
    options.volumeTop = [top](const fs::path&) { return top; };
    FreedesktopTrash trash(options);
    const std::string uid = std::to_string(::getuid());
    {
        SCOPED_TRACE("the user's own .Trash-$uid, with a Path relative to the volume");
        makeBundle(top / "Apps/Tool.app");
        const TrashOutcome outcome = trash.recycle(top / "Apps/Tool.app");
        ASSERT_FALSE(outcome.error) << *outcome.error;
        EXPECT_EQ(outcome.trashedPath, top / (".Trash-" + uid) / "files/Tool.app");
        EXPECT_NE(readTextFile(top / (".Trash-" + uid) / "info/Tool.app.trashinfo")
                      .find("\nPath=Apps/Tool.app\n"),
                  std::string::npos);
    }
    {
        SCOPED_TRACE("a shared sticky .Trash takes precedence");
        fs::create_directory(top / ".Trash");
        ::chmod((top / ".Trash").c_str(), 01777);
        makeBundle(top / "Apps/Tool.app");
        const TrashOutcome outcome = trash.recycle(top / "Apps/Tool.app");
        ASSERT_FALSE(outcome.error) << *outcome.error;
        EXPECT_EQ(outcome.trashedPath, top / ".Trash" / uid / "files/Tool.app");
    }
    {
        SCOPED_TRACE("restoring from another volume copies back whole and drops the record");
        const fs::path back = home / "Tool.app";
        ASSERT_FALSE(restoreFromTrash(top / ".Trash" / uid / "files/Tool.app", back));
        EXPECT_EQ(readTextFile(back / "Contents/MacOS/App"), "binary");
        EXPECT_TRUE(fs::is_symlink(back / "Contents/Link"));
        EXPECT_FALSE(fs::exists(top / ".Trash" / uid / "files/Tool.app"));
        EXPECT_FALSE(fs::exists(top / ".Trash" / uid / "info/Tool.app.trashinfo"));
    }
}

TEST(ItemMove, NeverReplacesAndNeverLosesTheItem) {
    TempHome home;
    {
        SCOPED_TRACE("within one filesystem: a rename that refuses to replace");
        makeBundle(home / "A.app");
        fs::create_directory(home / "Empty.app");
        writeTextFile(home / "File.txt", "existing");
        EXPECT_TRUE(moveItemSafely(home / "A.app", home / "Empty.app"));
        EXPECT_TRUE(moveItemSafely(home / "A.app", home / "File.txt"));
        EXPECT_EQ(readTextFile(home / "File.txt"), "existing");
        EXPECT_FALSE(moveItemSafely(home / "A.app", home / "B.app"));
        EXPECT_EQ(readTextFile(home / "B.app/Contents/MacOS/App"), "binary");
        EXPECT_FALSE(fs::exists(home / "A.app"));
        EXPECT_TRUE(moveItemSafely(home / "Missing.app", home / "C.app"));
    }
    {
        SCOPED_TRACE("restoring from the home trash drops the record and keeps other items");
        FreedesktopTrash trash(trashIn(home / "Trash"));
        ASSERT_FALSE(trash.recycle(home / "B.app").error);
        writeTextFile(home / "Trash/info/Other.trashinfo", "[Trash Info]\n");
        ASSERT_FALSE(restoreFromTrash(home / "Trash/files/B.app", home / "B.app"));
        EXPECT_TRUE(fs::exists(home / "B.app/Contents/Info.plist"));
        EXPECT_FALSE(fs::exists(home / "Trash/info/B.app.trashinfo"));
        EXPECT_TRUE(fs::exists(home / "Trash/info/Other.trashinfo"));
        ASSERT_FALSE(trash.recycle(home / "B.app").error);
        makeBundle(home / "B.app", "reinstalled");
        EXPECT_TRUE(restoreFromTrash(home / "Trash/files/B.app", home / "B.app"))
            << "an application installed again at the old place is not replaced";
        EXPECT_TRUE(fs::exists(home / "Trash/files/B.app"));
        EXPECT_TRUE(fs::exists(home / "Trash/info/B.app.trashinfo"));
    }
    std::optional<QTemporaryDir> volume = otherFilesystemDir(home.root());
    if (!volume)
        GTEST_SKIP() << "no second filesystem";
    const fs::path other = volume->path().toStdString();
    {
        SCOPED_TRACE("across filesystems: copied whole, modes and links kept, then removed");
        makeBundle(other / "X.app");
        ::chmod((other / "X.app/Contents/MacOS/App").c_str(), 0755);
        ASSERT_FALSE(moveItemSafely(other / "X.app", home / "X.app"));
        EXPECT_EQ(readTextFile(home / "X.app/Contents/MacOS/App"), "binary");
        EXPECT_EQ(fs::status(home / "X.app/Contents/MacOS/App").permissions() & fs::perms::all,
                  fs::perms(0755));
        EXPECT_EQ(fs::read_symlink(home / "X.app/Contents/Link"), "MacOS/App");
        EXPECT_FALSE(fs::exists(other / "X.app"));
    }
    {
        SCOPED_TRACE("a copy that fails halfway leaves the item whole and nothing at the target");
        makeBundle(other / "Y.app");
        writeTextFile(other / "Y.app/Contents/Resources/a.txt", "a");
        ASSERT_EQ(::mkfifo((other / "Y.app/Contents/Resources/pipe").c_str(), 0600), 0);
        EXPECT_TRUE(moveItemSafely(other / "Y.app", home / "Y.app"));
        EXPECT_EQ(readTextFile(other / "Y.app/Contents/MacOS/App"), "binary");
        EXPECT_EQ(readTextFile(other / "Y.app/Contents/Resources/a.txt"), "a");
        EXPECT_FALSE(fs::exists(home / "Y.app"));
        for (const auto& entry : fs::directory_iterator(home.root()))
            EXPECT_EQ(entry.path().filename().string().find(".partial-"), std::string::npos)
                << entry.path();
    }
}

// Runs body in a child process as the unprivileged user "nobody"; its result, or none when the
// test cannot change users.
std::optional<bool> asNobody(const std::function<bool()>& body) {
    if (::getuid() != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WEXITSTATUS(status) == 0;
}

TEST(ItemMove, AnItemThatCouldOnlyBeCopiedIsNotMoved) {
    TempHome home;
    std::optional<QTemporaryDir> volume = otherFilesystemDir(home.root());
    if (!volume)
        GTEST_SKIP() << "no second filesystem";
    const fs::path other = volume->path().toStdString();
    makeBundle(other / "Locked.app");
    const auto open = fs::perms::all;
    fs::permissions(other, open);
    fs::permissions(home.root(), open);
    fs::permissions(other / "Locked.app", open);
    // Everything readable, but one folder inside cannot be emptied by its owner-to-be.
    fs::permissions(other / "Locked.app/Contents", fs::perms(0755));
    const std::optional<bool> refused = asNobody([&] {
        return moveItemSafely(other / "Locked.app", home / "Locked.app").has_value() &&
               !fs::exists(home / "Locked.app");
    });
    if (!refused)
        GTEST_SKIP() << "cannot run as another user";
    EXPECT_TRUE(*refused);
    EXPECT_EQ(readTextFile(other / "Locked.app/Contents/MacOS/App"), "binary");
}

} // namespace
} // namespace orbitdeck
