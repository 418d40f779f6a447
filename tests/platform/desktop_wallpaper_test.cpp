#include "platform/desktop_wallpaper.h"

#include "support/gnome_settings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

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
    gnome.set(desktop_wallpaper::gnomeBackground, "picture-uri", uri(light));
    gnome.set(desktop_wallpaper::gnomeBackground, "picture-uri-dark", uri(dark));
    EXPECT_EQ(desktop_wallpaper::locate(folder.path()), light);
    gnome.set("org.gnome.desktop.interface", "color-scheme", "'prefer-dark'");
    EXPECT_EQ(desktop_wallpaper::locate(folder.path()), dark);
}

TEST(DesktopWallpaper, ReadsTheLastPlasmaImageOfAWallpaperSection) {
    using desktop_wallpaper::pathFromPlasmaConfig;
    const QString config = QStringLiteral("[Containments][1]\n"
                                          "wallpaperplugin=org.kde.image\n"
                                          "Image=file:///not/this/one.png\n"
                                          "\n"
                                          "[Containments][1][Wallpaper][org.kde.image][General]\n"
                                          "Image=file:///home/u/first.jpg\n"
                                          "\n"
                                          "[Containments][7][Wallpaper][org.kde.image][General]\n"
                                          "Image=/home/u/second.png\n"
                                          "SlidePaths=/usr/share/wallpapers\n");
    EXPECT_EQ(pathFromPlasmaConfig(config), QStringLiteral("/home/u/second.png"));
    EXPECT_FALSE(pathFromPlasmaConfig(QStringLiteral("[General]\nImage=/x.png\n")));
    EXPECT_FALSE(pathFromPlasmaConfig(QString()));
}

} // namespace
} // namespace orbitdeck
