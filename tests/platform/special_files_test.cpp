#include "platform/defaults_store.h"
#include "platform/dock_preferences.h"
#include "platform/durable_file.h"

#include "support/fifo_trap.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

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
        SCOPED_TRACE("a Dock list that is a FIFO is unreadable and never written over");
        const fs::path file = home / ".config/orbitdeck/com.apple.dock.plist";
        FifoTrap trap(file);
        ASSERT_TRUE(trap.made());
        DockPreferencesFile dock(text(file));
        EXPECT_EQ(dock.persistentApps().state, DockAppsRead::State::unreadable);
        EXPECT_FALSE(trap.rescued()) << "reading the Dock list waited for a writer";
        EXPECT_FALSE(dock.setPersistentApps({PlistNode::dictionary()}));
        EXPECT_TRUE(fs::is_fifo(file));
    }
}

} // namespace
} // namespace orbitdeck
