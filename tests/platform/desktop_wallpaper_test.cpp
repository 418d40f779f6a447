#include "platform/desktop_wallpaper.h"

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(DesktopWallpaper, ReadsTheGnomeValue) {
    using desktop_wallpaper::pathFromGsettingsValue;
    EXPECT_EQ(pathFromGsettingsValue(QStringLiteral("'file:///usr/share/backgrounds/a%20b.jpg'\n")),
              QStringLiteral("/usr/share/backgrounds/a b.jpg"));
    EXPECT_EQ(pathFromGsettingsValue(QStringLiteral("'/home/u/pic.png'")),
              QStringLiteral("/home/u/pic.png"));
    EXPECT_FALSE(pathFromGsettingsValue(QStringLiteral("''")));
    EXPECT_FALSE(pathFromGsettingsValue(QStringLiteral("'https://example.org/pic.png'")));
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
