#include "platform/defaults_store.h"
#include "support/temp_config_home.h"
#include "system/legacy_defaults_migration.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using orbitdeck::DefaultsStore;
using orbitdeck::DefaultsValue;
using orbitdeck::migrateLegacyDefaults;

namespace {

const QString flag = QStringLiteral("orbitdeck.migrated.v1");

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray plist(const QByteArray& entries) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>" + entries +
           "</dict></plist>\n";
}

std::unique_ptr<DefaultsStore> openStandard() {
    return DefaultsStore::openDomain(QStringLiteral("orbitdeck"));
}

QString legacyPath() {
    return DefaultsStore::domainFilePath(QStringLiteral("ambergrid"));
}

} // namespace

TEST(LegacyDefaultsMigration, CopiesAmbergridKeysOnceWithoutOverwriting) {
    TempConfigHome home;
    writeFile(legacyPath(), plist("<key>ambergrid.skin</key><string>dusk</string>"
                                  "<key>ambergrid.labels</key><false/>"
                                  "<key>ambergrid.iconSize</key><integer>80</integer>"
                                  "<key>ambergrid.hotKey</key><string>off</string>"
                                  "<key>ambergrid.sort</key><string>name</string>"
                                  "<key>other.key</key><string>x</string>"
                                  "<key>ambergridish</key><true/>"));
    // The user's current settings, one of them of a kind the typed reads skip.
    writeFile(DefaultsStore::domainFilePath(QStringLiteral("orbitdeck")),
              plist("<key>ambergrid.hotKey</key><string>controlOptionSpace</string>"
                    "<key>ambergrid.sort</key><array><string>kept</string></array>"));
    {
        auto standard = openStandard();
        migrateLegacyDefaults(*standard);
        EXPECT_EQ(standard->stringValue("ambergrid.skin"), "dusk");
        EXPECT_EQ(standard->boolValue("ambergrid.labels"), false);
        EXPECT_EQ(standard->integerValue("ambergrid.iconSize"), 80);
        EXPECT_EQ(standard->stringValue("ambergrid.hotKey"), "controlOptionSpace");
        EXPECT_FALSE(standard->contains("other.key"));
        EXPECT_FALSE(standard->contains("ambergridish"));
        EXPECT_EQ(standard->boolValue(flag), true);
    }
    // Stored on disk, the untyped entry intact, and the legacy suite itself untouched.
    auto reopened = openStandard();
    EXPECT_EQ(reopened->stringValue("ambergrid.skin"), "dusk");
    EXPECT_FALSE(reopened->stringValue("ambergrid.sort"));
    EXPECT_TRUE(reopened->holdsEntry("ambergrid.sort"));
    EXPECT_EQ(reopened->boolValue(flag), true);
    EXPECT_EQ(DefaultsStore::openExistingDomain("ambergrid")->stringValue("ambergrid.skin"),
              "dusk");

    // Never twice: a later run copies nothing, even what the user removed since.
    reopened->remove(QStringLiteral("ambergrid.skin"));
    writeFile(legacyPath(), plist("<key>ambergrid.effects</key><string>off</string>"));
    migrateLegacyDefaults(*reopened);
    EXPECT_FALSE(reopened->contains("ambergrid.skin"));
    EXPECT_FALSE(reopened->contains("ambergrid.effects"));
}

TEST(LegacyDefaultsMigration, FlagIsSetWithoutSuiteButNotWhenItCouldNotBeRead) {
    {
        TempConfigHome home;
        auto standard = openStandard();
        migrateLegacyDefaults(*standard);
        EXPECT_EQ(standard->boolValue(flag), true);
        EXPECT_EQ(standard->keys(), QStringList{flag});
        EXPECT_FALSE(QFile::exists(legacyPath())); // no suite is made up
    }
    {
        // A suite that is no property list was moved aside by the store: done, nothing copied.
        TempConfigHome home;
        writeFile(legacyPath(), "not a plist");
        auto standard = openStandard();
        migrateLegacyDefaults(*standard);
        EXPECT_EQ(standard->boolValue(flag), true);
        EXPECT_EQ(standard->keys(), QStringList{flag});
    }
    if (::geteuid() != 0) {
        // A suite that cannot be read now is tried again on a later start.
        TempConfigHome home;
        writeFile(legacyPath(), plist("<key>ambergrid.skin</key><string>paper</string>"));
        ::chmod(legacyPath().toLocal8Bit().constData(), 0);
        auto standard = openStandard();
        migrateLegacyDefaults(*standard);
        EXPECT_FALSE(standard->contains(flag));
        ::chmod(legacyPath().toLocal8Bit().constData(), 0600);
        migrateLegacyDefaults(*standard);
        EXPECT_EQ(standard->stringValue("ambergrid.skin"), "paper");
        EXPECT_EQ(standard->boolValue(flag), true);
    }
    {
        // An unreadable suite shown through the seam behaves the same for root.
        TempConfigHome home;
        auto standard = openStandard();
        migrateLegacyDefaults(
            *standard, [] { return orbitdeck::LegacySuite{.store = nullptr, .unreadable = true}; });
        EXPECT_FALSE(standard->contains(flag));
        standard->setValue(flag, true);
        bool opened = false;
        migrateLegacyDefaults(*standard, [&] {
            opened = true;
            return orbitdeck::LegacySuite{};
        });
        EXPECT_FALSE(opened); // flagged: the suite is not even opened
    }
}
