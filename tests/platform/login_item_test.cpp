#include "platform/login_item.h"

#include "support/temp_config_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace orbitdeck;

namespace {

QByteArray readEntry() {
    QFile file(XdgAutostartLoginItem::entryPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeEntry(const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(XdgAutostartLoginItem::entryPath()).path());
    QFile file(XdgAutostartLoginItem::entryPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

TEST(XdgAutostartLoginItem, RegistersAndUnregistersTheAutostartEntry) {
    TempConfigHome home;
    XdgAutostartLoginItem item(QStringLiteral("/opt/orbitdeck/bin/orbitdeck"));
    EXPECT_EQ(XdgAutostartLoginItem::entryPath(), home.path() + "/autostart/orbitdeck.desktop");
    EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
    // Unregistering what is not there is no failure.
    EXPECT_EQ(item.unregisterItem(), std::nullopt);

    EXPECT_EQ(item.registerItem(), std::nullopt);
    EXPECT_EQ(item.status(), LoginItemStatus::enabled);
    EXPECT_TRUE(readEntry().contains("Exec=\"/opt/orbitdeck/bin/orbitdeck\"\n"));
    EXPECT_TRUE(readEntry().startsWith("[Desktop Entry]\n"));

    EXPECT_EQ(item.unregisterItem(), std::nullopt);
    EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
    EXPECT_FALSE(QFile::exists(XdgAutostartLoginItem::entryPath()));
}

TEST(XdgAutostartLoginItem, AnEntrySessionsSkipIsNotRegisteredAndRegisteringReplacesIt) {
    TempConfigHome home;
    XdgAutostartLoginItem item(QStringLiteral("/usr/bin/orbitdeck"));
    for (const QByteArray& skipped :
         {QByteArray("[Desktop Entry]\nExec=orbitdeck\nHidden=true\n"),
          QByteArray("[Desktop Entry]\nExec=orbitdeck\nX-GNOME-Autostart-enabled=false\n")}) {
        writeEntry(skipped);
        EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
        EXPECT_EQ(item.registerItem(), std::nullopt);
        EXPECT_EQ(item.status(), LoginItemStatus::enabled);
        EXPECT_FALSE(readEntry().contains("Hidden=true"));
    }
}

TEST(XdgAutostartLoginItem, AFailureIsReportedAndThePathIsQuotedForTheSession) {
    {
        // The autostart folder's place is taken by a file: an error, not a silent success.
        TempConfigHome home;
        QFile blocker(home.path() + "/autostart");
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        XdgAutostartLoginItem item(QStringLiteral("/usr/bin/orbitdeck"));
        const auto error = item.registerItem();
        ASSERT_TRUE(error.has_value());
        EXPECT_FALSE(error->isEmpty());
        EXPECT_EQ(item.status(), LoginItemStatus::notRegistered);
    }
    {
        EXPECT_EQ(XdgAutostartLoginItem::execLine("/home/a b/orbitdeck"),
                  "\"/home/a b/orbitdeck\"");
        EXPECT_EQ(XdgAutostartLoginItem::execLine("/x/$HOME/`id`/\"q\"/back\\slash/100%"),
                  "\"/x/\\$HOME/\\`id\\`/\\\"q\\\"/back\\\\slash/100%%\"");
    }
}
