#include "tests/support/fifo_trap.h"
#include "tests/support/temp_home.h"
#include "window/qml/app_icon_cache.h"
#include "window/qml/rendered_icon_store.h"

#include <QDir>
#include <QImage>

#include <sys/stat.h>

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

void setModified(const std::filesystem::path& path, std::time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// The newest icon the store in folder holds.
QString newestCopy(const QString& folder) {
    const QStringList names =
        QDir(folder).entryList({QStringLiteral("*.icon")}, QDir::Files, QDir::Time);
    return names.isEmpty() ? QString() : QDir(folder).filePath(names.front());
}

// Every icon file read goes through a store in the test's own cache folder.
TEST(DesktopEntryIcon, IsDrawnOnceIntoTheCacheAndDrawnAgainWhenTheFileOrItsCopyChanged) {
    TempHome home;
    const QString folder = RenderedIconStore::defaultFolder();
    ASSERT_TRUE(folder.startsWith(QString::fromStdString(home.root().string())));
    useRenderedIconStore(std::make_shared<RenderedIconStore>(folder));
    const std::shared_ptr<void> storeOff(nullptr, [](void*) { useRenderedIconStore(nullptr); });
    const auto svg = home / "icons/app.svg";
    const QString path = QString::fromStdString(svg.string());
    // The same length for both colours, so a rewrite in place keeps the size.
    writeSvg(svg, "#00ff00");
    setModified(svg, 1'600'000'000);

    EXPECT_EQ(centre(loadIconFile(path, 48)), QColor(0, 255, 0));
    ASSERT_FALSE(newestCopy(folder).isEmpty());
    // Older than the next copy for sure: two written within a millisecond tie in time order.
    setModified(newestCopy(folder).toStdString(), 1'600'000'000);
    writeSvg(svg, "#ff0000");
    setModified(svg, 1'600'000'000);
    EXPECT_EQ(centre(loadIconFile(path, 48)), QColor(0, 255, 0))
        << "an unchanged file is read from the cache, not drawn";
    setModified(svg, 1'600'000'100);
    EXPECT_EQ(centre(loadIconFile(path, 48)), QColor(255, 0, 0)) << "a changed file is drawn";

    // Damaged copies are passed over and replaced: cut short, one pixel changed, a FIFO.
    const QString copy = newestCopy(folder);
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray whole = file.readAll();
    file.resize(whole.size() / 2);
    file.close();
    EXPECT_EQ(centre(loadIconFile(path, 48)), QColor(255, 0, 0));
    EXPECT_EQ(QFileInfo(copy).size(), whole.size()) << "the cut copy was written again";
    QByteArray flipped = whole;
    flipped[flipped.size() - 10] = char(flipped[flipped.size() - 10] ^ 0x40);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(flipped);
    file.close();
    const QImage redrawn = loadIconFile(path, 48);
    EXPECT_EQ(redrawn.pixelColor(redrawn.width() - 3, redrawn.height() - 1), QColor(255, 0, 0));
    QFile::remove(copy);
    const FifoTrap trap(copy.toStdString());
    EXPECT_EQ(centre(loadIconFile(path, 48)), QColor(255, 0, 0));
    EXPECT_FALSE(trap.rescued()) << "a reader waited on a FIFO in the cache";
}

// Past its cap the store drops its oldest icons, down to three quarters of the cap.
TEST(DesktopEntryIcon, CacheDropsTheOldestIconsPastItsCap) {
    TempHome home;
    const QString folder = QString::fromStdString((home / "icons").string());
    QImage icon(16, 16, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::blue);
    const QString source = QStringLiteral("/icon.svg");
    qint64 each = 0;
    {
        RenderedIconStore probe(folder);
        probe.keep(source, {}, 16, icon);
        each = QFileInfo(newestCopy(folder)).size();
        QFile::remove(newestCopy(folder));
    }
    RenderedIconStore store(folder, each * 4);
    for (int n = 0; n < 6; ++n) {
        store.keep(source, {.modifiedNanoseconds = n}, 16, icon);
        setModified(newestCopy(folder).toStdString(), 1'600'000'000 + n);
    }
    // A killed writer's temporary goes once it is old.
    const auto leftover = home / "icons/.dead.icon.4242.tmp";
    writeTextFile(leftover, "half an icon");
    setModified(leftover, 1'600'000'000);
    store.trim();
    EXPECT_EQ(QDir(folder).entryList({QStringLiteral("*.icon")}, QDir::Files).size(), 3);
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(store.find(source, {.modifiedNanoseconds = 5}, 16));
    EXPECT_FALSE(store.find(source, {.modifiedNanoseconds = 0}, 16));
}

} // namespace
} // namespace orbitdeck
