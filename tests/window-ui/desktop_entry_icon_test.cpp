#include "tests/support/fifo_trap.h"
#include "tests/support/temp_home.h"
#include "window/qml/app_icon_cache.h"

#include <QImage>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

void writePng(const std::filesystem::path& path, int size, const QColor& color) {
    std::filesystem::create_directories(path.parent_path());
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string())));
}

void writeSvg(const std::filesystem::path& path, const char* color) {
    writeTextFile(path, std::string("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" "
                                    "height=\"16\"><rect width=\"16\" height=\"16\" fill=\"") +
                            color + "\"/></svg>\n");
}

QColor centre(const QImage& image) {
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

// One process-wide theme look-up serves every icon, so all cases share one fixture home.
TEST(DesktopEntryIcon, ComesFromTheCurrentThemeThenHicolorThenPixmaps) {
    TempHome home;
    const auto data = home / "data";
    ::setenv("XDG_DATA_DIRS", data.c_str(), 1);
    ::unsetenv("XDG_CURRENT_DESKTOP");
    // The desktop names its icon theme in GTK's settings.
    writeTextFile(home / ".config/gtk-3.0/settings.ini",
                  "[Settings]\ngtk-icon-theme-name=Fixture\n");
    writeTextFile(data / "icons/Fixture/index.theme",
                  "[Icon Theme]\nName=Fixture\nInherits=hicolor\nDirectories=48x48/apps,"
                  "scalable/apps\n[48x48/apps]\nSize=48\nType=Fixed\n[scalable/apps]\nSize=128\n"
                  "MinSize=8\nMaxSize=512\nType=Scalable\n");
    writeTextFile(data / "icons/hicolor/index.theme",
                  "[Icon Theme]\nName=Hicolor\nDirectories=256x256/apps\n[256x256/apps]\n"
                  "Size=256\nType=Threshold\n");
    writePng(data / "icons/Fixture/48x48/apps/raster.png", 48, Qt::red);
    writeSvg(data / "icons/Fixture/scalable/apps/drawing.svg", "#00ff00");
    writePng(data / "icons/hicolor/256x256/apps/drawing.png", 256, Qt::red);
    writePng(data / "icons/hicolor/256x256/apps/fallback.png", 256, Qt::blue);
    writePng(data / "pixmaps/loose.png", 32, Qt::yellow);
    writeTextFile(data / "pixmaps/old.xpm", "/* XPM */\nstatic char *old[] = {\n\"4 4 1 1\",\n"
                                            "\"c c #00FFFF\",\n\"cccc\",\n\"cccc\",\n\"cccc\",\n"
                                            "\"cccc\"};\n");
    writePng(home / "elsewhere/absolute.png", 64, Qt::magenta);
    const FifoTrap themeTrap(data / "icons/Fixture/48x48/apps/trap.png");
    writePng(data / "icons/hicolor/256x256/apps/trap.png", 256, Qt::blue);
    const auto entry = [&](const std::string& name, const std::string& icon) {
        const auto path = data / "applications" / (name + ".desktop");
        writeTextFile(path, "[Desktop Entry]\nType=Application\nName=" + name +
                                "\nExec=true\nIcon=" + icon + "\n");
        return QString::fromStdString(path.string());
    };

    const QImage drawing = loadApplicationIcon(entry("drawing", "drawing"), 160);
    EXPECT_EQ(drawing.size(), QSize(160, 160)) << "an SVG is drawn at the tile's size";
    EXPECT_EQ(centre(drawing), QColor(0, 255, 0)) << "the theme's own icon before hicolor's";

    const QImage raster = loadApplicationIcon(entry("raster", "raster"), 160);
    EXPECT_EQ(raster.size(), QSize(48, 48)) << "a raster icon is never enlarged";
    EXPECT_EQ(centre(raster), QColor(Qt::red));

    const QImage reduced = loadApplicationIcon(entry("fallback", "fallback"), 64);
    EXPECT_EQ(reduced.size(), QSize(64, 64));
    EXPECT_EQ(centre(reduced), QColor(Qt::blue)) << "hicolor answers what the theme lacks";

    EXPECT_EQ(centre(loadApplicationIcon(entry("loose", "loose"), 64)), QColor(Qt::yellow));
    EXPECT_EQ(centre(loadApplicationIcon(entry("old", "old"), 64)), QColor(Qt::cyan)) << "XPM";
    EXPECT_EQ(centre(loadApplicationIcon(
                  entry("absolute", (home / "elsewhere/absolute.png").string()), 64)),
              QColor(Qt::magenta));
    EXPECT_TRUE(loadApplicationIcon(entry("unknown", "no-such-icon"), 64).isNull());
    EXPECT_TRUE(loadApplicationIcon(entry("none", ""), 64).isNull());
    EXPECT_TRUE(
        loadApplicationIcon(QString::fromStdString((data / "gone.desktop").string()), 64).isNull());

    // Files that are no plain, small image are passed over without waiting on them.
    EXPECT_EQ(centre(loadApplicationIcon(entry("trap", "trap"), 48)), QColor(Qt::blue))
        << "the theme's FIFO is no icon: hicolor's file serves";
    const FifoTrap fileTrap(home / "elsewhere/trap.png");
    EXPECT_TRUE(
        loadIconFile(QString::fromStdString((home / "elsewhere/trap.png").string()), 48).isNull());
    EXPECT_FALSE(themeTrap.rescued() || fileTrap.rescued()) << "a reader waited on a FIFO";
    const auto huge = home / "elsewhere/huge.svg";
    const std::string greenDrawing =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" "
        "height=\"16\"><rect width=\"16\" height=\"16\" fill=\"#00ff00\"/></svg>";
    const auto padded = [&](qint64 size) {
        writeTextFile(huge,
                      greenDrawing +
                          std::string(static_cast<std::size_t>(size) - greenDrawing.size(), ' '));
        return loadIconFile(QString::fromStdString(huge.string()), 48);
    };
    EXPECT_TRUE(padded(maxDrawingIconBytes + 1).isNull());
    EXPECT_EQ(centre(padded(maxDrawingIconBytes)), QColor(0, 255, 0)) << "up to the cap it is read";
}

} // namespace
} // namespace orbitdeck
