#include "platform/defaults_store.h"
#include "platform/durable_file.h"
#include "platform/plank_launchers.h"

#include "support/fifo_trap.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <iterator>
#include <thread>
#include <vector>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

QString text(const fs::path& path) {
    return QString::fromStdString(path.string());
}

// A FIFO, a socket or a folder where a user's file belongs must never hang the launcher.
TEST(SpecialFiles, NoReaderBlocksOnAFifoOrAcceptsAnythingButAFile) {
    TempHome home;
    {
        SCOPED_TRACE("the capped reader refuses every kind of special file");
        const fs::path fifo = home / "fifo";
        FifoTrap trap(fifo);
        ASSERT_TRUE(trap.made());
        EXPECT_TRUE(std::holds_alternative<FileNotRegular>(readFileCapped(text(fifo), 1024)));
        EXPECT_FALSE(trap.rescued()) << "the read waited for a writer";
        fs::create_directories(home / "folder");
        EXPECT_TRUE(
            std::holds_alternative<FileNotRegular>(readFileCapped(text(home / "folder"), 1024)));
        EXPECT_TRUE(std::holds_alternative<FileNotRegular>(readFileCapped("/dev/null", 1024)));
        writeTextFile(home / "plain", "bytes");
        const FileReadResult plain = readFileCapped(text(home / "plain"), 1024);
        ASSERT_TRUE(std::holds_alternative<QByteArray>(plain));
        EXPECT_EQ(std::get<QByteArray>(plain), "bytes");
    }
    {
        SCOPED_TRACE("a settings domain that is a FIFO is moved aside and starts empty");
        const QString path = DefaultsStore::domainFilePath(QStringLiteral("fifo"));
        FifoTrap trap(path.toStdString());
        ASSERT_TRUE(trap.made());
        const auto store = DefaultsStore::openDomain(QStringLiteral("fifo"));
        EXPECT_FALSE(trap.rescued()) << "opening the domain waited for a writer";
        EXPECT_FALSE(store->movedAsidePath().isEmpty());
        EXPECT_TRUE(store->setValue(QStringLiteral("skin"), DefaultsValue{QStringLiteral("dusk")}));
        EXPECT_TRUE(fs::is_regular_file(path.toStdString()));
    }
    {
        SCOPED_TRACE("a Plank dock item that is a FIFO is passed over, never waited on");
        const fs::path launchers = home / ".config/plank/dock1/launchers";
        writeTextFile(launchers / "term.dockitem",
                      "[PlankDockItemPreferences]\nLauncher=file:///usr/share/applications/"
                      "term.desktop\n");
        FifoTrap trap(launchers / "trap.dockitem");
        ASSERT_TRUE(trap.made());
        PlankLaunchers plank(home / ".config/plank", [] { return true; });
        const auto kept = plank.launchers();
        EXPECT_FALSE(trap.rescued()) << "reading the dock waited for a writer";
        ASSERT_TRUE(kept);
        ASSERT_EQ(kept->size(), 2u);
        EXPECT_EQ(kept->front().file, fs::path("/usr/share/applications/term.desktop"));
        EXPECT_FALSE(kept->back().file);
        EXPECT_TRUE(fs::is_fifo(launchers / "trap.dockitem"));
    }
}

// A file the user saves somewhere goes through the same writer, but makes no folders and says
// why it failed.
TEST(SpecialFiles, ASavedFileReplacesTheOldOneWholeOrSaysWhyNot) {
    TempHome home;
    const fs::path saves = home / "saves";
    const fs::path file = saves / "export.json";
    writeTextFile(file, "old");
    EXPECT_EQ(saveChosenFile(text(file), "new"), QString());
    EXPECT_EQ(readTextFile(file), "new");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::others_read,
              (~::umask(::umask(0)) & S_IROTH) != 0 ? fs::perms::others_read : fs::perms::none)
        << "readable as the umask allows, unlike our private files";

    const QString reason = saveChosenFile(text(saves / "no-such-folder/out.json"), "x");
    EXPECT_EQ(reason, qt_error_string(ENOENT));
    EXPECT_FALSE(fs::exists(saves / "no-such-folder")) << "no folder is made for a chosen file";

    // The unsynced form, for a report rewritten every frame, keeps the same rules.
    EXPECT_TRUE(replaceFileAtOnce(text(file), "report"));
    EXPECT_EQ(readTextFile(file), "report");
    EXPECT_FALSE(replaceFileAtOnce(text(saves / "gone/report.json"), "x"));
    EXPECT_FALSE(fs::exists(saves / "gone"));

    // Threads writing one file at once (one icon drawn for two applications) each succeed.
    std::atomic<int> failures = 0;
    std::vector<std::thread> writers;
    for (int i = 0; i < 4; ++i)
        writers.emplace_back([&] {
            for (int round = 0; round < 50; ++round)
                failures += replaceFileAtOnce(text(file), "same") ? 0 : 1;
        });
    for (std::thread& writer : writers)
        writer.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(readTextFile(file), "same");

    fs::create_directories(saves / "folder");
    EXPECT_FALSE(saveChosenFile(text(saves / "folder"), "x").isEmpty()) << "a folder stays";
    EXPECT_TRUE(fs::is_directory(saves / "folder"));
    EXPECT_EQ(std::distance(fs::directory_iterator(saves), fs::directory_iterator()), 2)
        << "no temporary file is left behind";
}

} // namespace
} // namespace orbitdeck
