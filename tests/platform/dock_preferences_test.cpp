#include "platform/dock_preferences.h"

#include "support/temp_home.h"

#include <gtest/gtest.h>
#include <plist/plist.h>

#include <cstdlib>
#include <string>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;

const char* const domainWithList = R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict>
  <key>autohide</key><true/>
  <key>persistent-apps</key><array>
    <dict><key>tile-type</key><string>file-tile</string></dict>
    <dict><key>tile-type</key><string>spacer-tile</string></dict>
  </array>
</dict></plist>)";

TEST(DockPreferencesFile, ReadsTheListAndRefusesWhatItCannotRead) {
    TempHome home;
    const fs::path file = home / ".config/orbitdeck/com.apple.dock.plist";
    EXPECT_EQ(DockPreferencesFile::standardPath().toStdString(), file.string());
    DockPreferencesFile dock(QString::fromStdString(file.string()));
    using State = DockAppsRead::State;
    {
        SCOPED_TRACE("no file yet");
        EXPECT_EQ(dock.persistentApps().state, State::absent);
    }
    {
        SCOPED_TRACE("a list of dictionaries");
        writeTextFile(file, domainWithList);
        const DockAppsRead read = dock.persistentApps();
        ASSERT_EQ(read.state, State::list);
        ASSERT_EQ(read.tiles.size(), 2u);
        EXPECT_EQ(read.tiles[1].child("tile-type").stringValue(), "spacer-tile");
    }
    {
        SCOPED_TRACE("a list holding something other than dictionaries");
        writeTextFile(file, R"(<plist version="1.0"><dict><key>persistent-apps</key>
            <array><dict/><string>x</string></array></dict></plist>)");
        EXPECT_EQ(dock.persistentApps().state, State::malformed);
        writeTextFile(file, R"(<plist version="1.0"><dict><key>persistent-apps</key>
            <string>x</string></dict></plist>)");
        EXPECT_EQ(dock.persistentApps().state, State::malformed);
    }
    {
        SCOPED_TRACE("a binary file with many tiles, each a few nested dictionaries deep");
        PlistNode root = PlistNode::dictionary();
        std::vector<PlistNode> tiles;
        for (int i = 0; i < 40; ++i) {
            PlistNode fileData = PlistNode::dictionary();
            fileData.set("_CFURLString",
                         PlistNode::string("/Applications/App" + std::to_string(i) + ".app"));
            PlistNode tileData = PlistNode::dictionary();
            tileData.set("file-data", fileData);
            PlistNode tile = PlistNode::dictionary();
            tile.set("tile-data", tileData);
            tiles.push_back(tile);
        }
        root.set("persistent-apps", PlistNode::array(tiles));
        plist_t binaryRoot = nullptr;
        const QByteArray xml = root.toXml();
        plist_from_xml(xml.constData(), static_cast<uint32_t>(xml.size()), &binaryRoot);
        ASSERT_NE(binaryRoot, nullptr);
        char* binary = nullptr;
        uint32_t length = 0;
        plist_to_bin(binaryRoot, &binary, &length);
        plist_free(binaryRoot);
        writeTextFile(file, std::string(binary, length));
        std::free(binary);
        const DockAppsRead read = dock.persistentApps();
        ASSERT_EQ(read.state, State::list);
        ASSERT_EQ(read.tiles.size(), 40u);
        EXPECT_EQ(read.tiles[39]
                      .child("tile-data")
                      .child("file-data")
                      .child("_CFURLString")
                      .stringValue(),
                  "/Applications/App39.app");
    }
    {
        SCOPED_TRACE("a broken file is never written over");
        writeTextFile(file, "<plist><dict><key>persistent-apps</key><arr");
        EXPECT_EQ(dock.persistentApps().state, State::unreadable);
        EXPECT_FALSE(dock.setPersistentApps({PlistNode::dictionary()}));
        EXPECT_EQ(readTextFile(file), "<plist><dict><key>persistent-apps</key><arr");
    }
}

TEST(DockPreferencesFile, WritesTheListAndKeepsTheDomainsOtherKeys) {
    TempHome home;
    const fs::path file = home / ".config/orbitdeck/com.apple.dock.plist";
    DockPreferencesFile dock(QString::fromStdString(file.string()));
    writeTextFile(file, domainWithList);
    std::vector<PlistNode> tiles = dock.persistentApps().tiles;
    PlistNode tile = PlistNode::dictionary();
    tile.set("tile-type", PlistNode::string("file-tile"));
    tile.set("count", PlistNode::integer(15));
    tiles.push_back(tile);
    ASSERT_TRUE(dock.setPersistentApps(tiles));

    const DockAppsRead read = dock.persistentApps();
    ASSERT_EQ(read.tiles.size(), 3u);
    EXPECT_EQ(read.tiles[2].child("count").integerValue(), 15);
    EXPECT_NE(readTextFile(file).find("<key>autohide</key>"), std::string::npos);

    SCOPED_TRACE("the first write creates the file");
    fs::remove(file);
    ASSERT_TRUE(dock.setPersistentApps({tile}));
    EXPECT_EQ(dock.persistentApps().tiles.size(), 1u);
}

} // namespace
} // namespace orbitdeck
