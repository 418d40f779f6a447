#include "platform/desktop_wallpaper.h"

#include "platform/background_xml.h"
#include "platform/plasma_wallpaper.h"
#include "platform/xfce_wallpaper.h"
#include "support/gnome_settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

using desktop_wallpaper::Sources;

QString touch(const QString& path, const QByteArray& bytes = {}) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

Sources sourcesIn(const QString& configHome, const QString& desktop = {}) {
    return {.configHome = configHome,
            .configDirs = {},
            .currentDesktop = desktop,
            .now = QDateTime::currentDateTime()};
}

TEST(DesktopWallpaper, ReadsTheGnomeValue) {
    using desktop_wallpaper::pathFromPictureUri;
    EXPECT_EQ(pathFromPictureUri(QStringLiteral("file:///usr/share/backgrounds/a%20b.jpg")),
              QStringLiteral("/usr/share/backgrounds/a b.jpg"));
    EXPECT_EQ(pathFromPictureUri(QStringLiteral("/home/u/pic.png")),
              QStringLiteral("/home/u/pic.png"));
    EXPECT_FALSE(pathFromPictureUri(QString()));
    EXPECT_FALSE(pathFromPictureUri(QStringLiteral("https://example.org/pic.png")));

    // GNOME's settings name the picture, the dark one under the dark style.
    QTemporaryDir folder;
    const QString light = folder.filePath(QStringLiteral("day 1.jpg"));
    const QString dark = folder.filePath(QStringLiteral("night.jpg"));
    for (const QString& path : {light, dark}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto uri = [](const QString& path) {
        return "'" + QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).toStdString() + "'";
    };
    GnomeSettings gnome;
    const DesktopPlace place;
    gnome.set(desktop_wallpaper::gnomeBackground, "picture-uri", uri(light));
    gnome.set(desktop_wallpaper::gnomeBackground, "picture-uri-dark", uri(dark));
    EXPECT_EQ(desktop_wallpaper::locate(place, sourcesIn(folder.path())), light);
    gnome.set("org.gnome.desktop.interface", "color-scheme", "'prefer-dark'");
    EXPECT_EQ(desktop_wallpaper::locate(place, sourcesIn(folder.path())), dark);

    // A background description stands for the picture it shows; a broken one for none.
    const QString described = folder.filePath(QStringLiteral("described.png"));
    touch(described);
    const QString xml = touch(folder.filePath(QStringLiteral("timed.xml")),
                              "<background><static><duration>60</duration><file>described.png"
                              "</file></static></background>");
    gnome.set(desktop_wallpaper::gnomeBackground, "picture-uri-dark", uri(xml));
    EXPECT_EQ(desktop_wallpaper::locate(place, sourcesIn(folder.path())), described);
    touch(xml, "<background><static><file>described.png</static>");
    EXPECT_EQ(desktop_wallpaper::locate(place, sourcesIn(folder.path())), light);
    gnome.set(desktop_wallpaper::gnomeBackground, "picture-uri", uri(xml));
    EXPECT_FALSE(desktop_wallpaper::locate(place, sourcesIn(folder.path())));
    gnome.set(desktop_wallpaper::gnomeBackground, "picture-uri", uri(light));

    // Cinnamon and MATE keep their own; the session's desktop says whose counts.
    const QString cinnamon = touch(folder.filePath(QStringLiteral("cinnamon.jpg")));
    const QString mate = touch(folder.filePath(QStringLiteral("mate.jpg")));
    gnome.set(desktop_wallpaper::cinnamonBackground, "picture-uri", uri(cinnamon));
    gnome.set(desktop_wallpaper::mateBackground, "picture-filename",
              "'" + mate.toStdString() + "'");
    gnome.set("org.gnome.desktop.interface", "color-scheme", "'default'");
    EXPECT_EQ(desktop_wallpaper::locate(place, sourcesIn(folder.path(), "X-Cinnamon")), cinnamon);
    EXPECT_EQ(desktop_wallpaper::locate(place, sourcesIn(folder.path(), "MATE")), mate);
    EXPECT_EQ(desktop_wallpaper::locate(place, sourcesIn(folder.path(), "ubuntu:GNOME")), light);
    gnome.set(desktop_wallpaper::mateBackground, "picture-options", "'none'");
    EXPECT_FALSE(desktop_wallpaper::locate(place, sourcesIn(folder.path(), "MATE")));
    // Xfce's session reads only Xfce's channel, though GNOME names a picture.
    EXPECT_FALSE(desktop_wallpaper::locate(place, sourcesIn(folder.path(), "XFCE")));
}

TEST(DesktopWallpaper, PicksThePictureOfABackgroundDescriptionNow) {
    // A day/night pair as GNOME ships them: day from 8:00 for 12 hours, an hour's fade to the
    // night picture, the night, an hour's fade back. Start and checks all in summer, so a
    // daylight-saving shift cannot move them.
    const QByteArray timed = "<background><starttime><year>2020</year><month>6</month><day>1</day>"
                             "<hour>8</hour><minute>0</minute><second>0</second></starttime>"
                             "<static><duration>43200.0</duration><file>/day.jpg</file></static>"
                             "<transition type=\"overlay\"><duration>3600.0</duration>"
                             "<from>/day.jpg</from><to>/night.jpg</to></transition>"
                             "<static><duration>36000.0</duration><file>/night.jpg</file></static>"
                             "<transition><duration>3600.0</duration><from>/night.jpg</from>"
                             "<to>/day.jpg</to></transition></background>";
    const QByteArray sized = "<background><static><duration>10</duration><file>"
                             "<size width=\"1024\" height=\"768\">small.svg</size>"
                             "<size width=\"1920\" height=\"1080\">hd.svg</size>"
                             "<size width=\"3840\" height=\"2160\">4k.svg</size>"
                             "</file></static></background>";
    const auto at = [](int day, int hour, int minute) {
        return QDateTime(QDate(2024, 6, day), QTime(hour, minute));
    };
    struct Row {
        QByteArray xml;
        QDateTime now;
        QSize screen;
        std::optional<QString> picture;
    };
    const Row rows[] = {
        {timed, at(3, 9, 0), {1920, 1080}, "/day.jpg"},
        {timed, at(3, 20, 20), {1920, 1080}, "/day.jpg"},   // the first half of the fade
        {timed, at(3, 20, 40), {1920, 1080}, "/night.jpg"}, // the nearer side is the night
        {timed, at(4, 3, 0), {1920, 1080}, "/night.jpg"},
        {timed, at(4, 7, 45), {1920, 1080}, "/day.jpg"},
        {timed, QDateTime(QDate(2020, 5, 31), QTime(21, 0)), {1920, 1080}, "/night.jpg"},
        {sized, at(3, 9, 0), {1920, 1080}, "/bg/hd.svg"},
        {sized, at(3, 9, 0), {2560, 1440}, "/bg/4k.svg"},
        {sized, at(3, 9, 0), {5120, 2880}, "/bg/4k.svg"},
        {"<background><static><file>x.png</file>", at(3, 9, 0), {}, std::nullopt},
        {"<wallpapers><wallpaper/></wallpapers>", at(3, 9, 0), {}, std::nullopt},
        {"<background><starttime/></background>", at(3, 9, 0), {}, std::nullopt},
        {QByteArray(background_xml::maxBytes + 1, ' '), at(3, 9, 0), {}, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(background_xml::currentPicture(row.xml, row.now, row.screen, "/bg"), row.picture)
            << row.xml.left(60).constData() << " at " << row.now.toString().toStdString();
}

TEST(DesktopWallpaper, ReadsXfcesPicturePerMonitorAndWorkspace) {
    const QByteArray channel = R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-desktop" version="1.0">
  <property name="backdrop" type="empty">
    <property name="screen0" type="empty">
      <property name="monitorHDMI-1" type="empty">
        <property name="workspace0" type="empty">
          <property name="last-image" type="string" value="/hdmi-0.png"/>
        </property>
        <property name="workspace1" type="empty">
          <property name="image-style" type="int" value="0"/>
          <property name="last-image" type="string" value="/hdmi-1.png"/>
        </property>
      </property>
      <property name="monitoreDP-1" type="empty">
        <property name="workspace0" type="empty">
          <property name="last-image" type="string" value="/edp-0.png"/>
        </property>
        <property name="workspace1" type="empty">
          <property name="last-image" type="string" value="/edp &amp; 1.png"/>
        </property>
      </property>
      <property name="monitor1" type="empty">
        <property name="workspace2" type="empty">
          <property name="last-image" type="string" value="/second-2.png"/>
        </property>
      </property>
    </property>
  </property>
</channel>
)";
    QByteArray shared = channel;
    shared.replace(R"(<property name="backdrop" type="empty">)",
                   R"(<property name="backdrop" type="empty">
    <property name="single-workspace-mode" type="bool" value="true"/>
    <property name="single-workspace-number" type="int" value="1"/>)");
    struct Row {
        QByteArray channel;
        QString monitor;
        int index;
        int workspace;
        std::optional<QString> picture;
    };
    const Row rows[] = {
        {channel, "eDP-1", 0, 0, "/edp-0.png"},
        {channel, "eDP-1", 0, 1, "/edp & 1.png"},
        {channel, "HDMI-1", 1, 0, "/hdmi-0.png"},
        {channel, "HDMI-1", 1, 1, std::nullopt},  // no picture: a colour
        {channel, "DP-2", 1, 2, "/second-2.png"}, // known by number only
        {channel, "DP-2", 3, 0, "/hdmi-0.png"},   // unknown: the first with that workspace
        {channel, "eDP-1", 0, 5, std::nullopt},
        {shared, "eDP-1", 0, 0, "/edp & 1.png"},
        {"<channel><property name=\"backdrop\">", "eDP-1", 0, 0, std::nullopt},
        {"", "eDP-1", 0, 0, std::nullopt},
    };
    for (const Row& row : rows)
        EXPECT_EQ(xfce_wallpaper::picture(row.channel, row.monitor, row.index, row.workspace),
                  row.picture)
            << row.monitor.toStdString() << " workspace " << row.workspace;
}

TEST(DesktopWallpaper, ReadsThePlasmaImageOfTheScreensContainment) {
    using plasma_wallpaper::picture;
    const QByteArray config = "[Containments][1]\n"
                              "activityId=work\n"
                              "lastScreen=0\n"
                              "wallpaperplugin=org.kde.image\n"
                              "Image=file:///not/this/one.png\n"
                              "\n"
                              "[Containments][1][Wallpaper][org.kde.image][General]\n"
                              "Image=file:///home/u/first.jpg\n"
                              "\n"
                              "[Containments][2]\n"
                              "lastScreen=0\n"
                              "plugin=org.kde.panel\n"
                              "\n"
                              "[Containments][7][Wallpaper][org.kde.image][General]\n"
                              "Image=/home/u/second\\sscreen.png\n"
                              "SlidePaths=/usr/share/wallpapers\n"
                              "[Containments][7]\n"
                              "activityId=work\n"
                              "lastScreen[$i]=1\n"
                              "wallpaperplugin=org.kde.image\n"
                              "\n"
                              "[Containments][8]\n"
                              "activityId=play\n"
                              "lastScreen=1\n"
                              "wallpaperplugin=org.kde.color\n"
                              "[Containments][8][Wallpaper][org.kde.image][General]\n"
                              "Image=/home/u/not-the-plugin.png\n";
    EXPECT_EQ(picture(config, 0, "work"), QStringLiteral("/home/u/first.jpg"));
    EXPECT_EQ(picture(config, 1, "work"), QStringLiteral("/home/u/second screen.png"));
    EXPECT_EQ(picture(config, 1, ""), QStringLiteral("/home/u/second screen.png"));
    EXPECT_FALSE(picture(config, 1, "play")); // a plain colour there
    EXPECT_EQ(picture(config, 4, "work"), QStringLiteral("/home/u/first.jpg"));
    // Only a wallpaper section, as older files have: still that picture.
    EXPECT_EQ(
        picture("[Containments][3][Wallpaper][org.kde.image][General]\nImage=/x.png\n", 1, ""),
        QStringLiteral("/x.png"));
    EXPECT_FALSE(picture("[General]\nImage=/x.png\n", 0, ""));
    EXPECT_FALSE(picture("", 0, ""));
    EXPECT_EQ(
        plasma_wallpaper::screenNumber("[ScreenConnectors]\n0=eDP-1\n1=HDMI-A-1\n", "HDMI-A-1"), 1);
    EXPECT_FALSE(plasma_wallpaper::screenNumber("[ScreenConnectors]\n0=eDP-1\n", "DP-3"));

    // A wallpaper package: the picture nearest the screen's size.
    QTemporaryDir package;
    for (const char* name : {"1280x800.png", "1920x1080.png", "3840x2160.png"})
        touch(package.filePath(QStringLiteral("contents/images/") + QLatin1String(name)));
    EXPECT_EQ(plasma_wallpaper::packagePicture(package.path(), {1920, 1200}, false),
              package.filePath(QStringLiteral("contents/images/1920x1080.png")));
    EXPECT_EQ(plasma_wallpaper::packagePicture("/x.png", {1920, 1200}, false), "/x.png");
}

} // namespace
} // namespace orbitdeck
