#include "window/qml/desktop_wallpaper_image.h"

#include "platform/desktop_place.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScopeGuard>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

QString writePicture(const QTemporaryDir& dir, const QString& name, QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    const QString path = dir.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path;
}

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

TEST(WallpaperThumbnail, LongerSideAtMost2200) {
    QTemporaryDir dir;
    {
        const QImage thumb =
            wallpaperThumbnail(writePicture(dir, QStringLiteral("big.png"), {6000, 4000}, Qt::red));
        EXPECT_EQ(thumb.width(), 2200);
        EXPECT_NEAR(thumb.height(), 1467, 1);
    }
    {
        const QImage thumb = wallpaperThumbnail(
            writePicture(dir, QStringLiteral("small.png"), {1600, 900}, Qt::green));
        EXPECT_EQ(thumb.size(), QSize(1600, 900));
    }
    { EXPECT_TRUE(wallpaperThumbnail(dir.filePath(QStringLiteral("missing.jpg"))).isNull()); }
}

TEST(DesktopWallpaperImage, ShowsTheLatestPictureAndSaysWhenNoneCanBeHad) {
    QTemporaryDir dir;
    const QString red = writePicture(dir, QStringLiteral("red.png"), {40, 30}, Qt::red);
    const QString blue = writePicture(dir, QStringLiteral("blue.png"), {40, 30}, Qt::blue);
    {
        // The first refresh is held back until the second has finished: its late result
        // must not replace the newer picture.
        QSemaphore releaseFirst;
        // Whatever happens below, the held-back worker is let go, or the pool never finishes.
        const auto letGo = qScopeGuard([&] { releaseFirst.release(); });
        std::atomic<int> calls = 0;
        DesktopWallpaperImage wallpaper;
        wallpaper.setLocator([&](const DesktopPlace&) -> std::optional<QString> {
            if (calls.fetch_add(1) == 0) {
                releaseFirst.acquire();
                return red;
            }
            return blue;
        });
        wallpaper.refresh();
        // The second refresh starts only once the first is held, so the two cannot swap roles.
        ASSERT_TRUE(waitFor([&] { return calls.load() == 1; }));
        wallpaper.refresh();
        ASSERT_TRUE(waitFor([&] { return !wallpaper.image().isNull(); }));
        EXPECT_EQ(wallpaper.image().pixelColor(0, 0), QColor(Qt::blue));
        releaseFirst.release();
        QThreadPool::globalInstance()->waitForDone(30000);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(wallpaper.image().pixelColor(0, 0), QColor(Qt::blue));
        EXPECT_FALSE(wallpaper.unavailable());
        EXPECT_TRUE(wallpaper.source().toString().startsWith(QStringLiteral("image://wallpaper/")));
    }
    {
        DesktopWallpaperImage wallpaper;
        wallpaper.setLocator(
            [](const DesktopPlace&) -> std::optional<QString> { return std::nullopt; });
        wallpaper.refresh();
        ASSERT_TRUE(waitFor([&] { return wallpaper.unavailable(); }));
        EXPECT_TRUE(wallpaper.source().isEmpty());
        // Switched off: no picture, and nothing missing either.
        wallpaper.setEnabled(false);
        EXPECT_FALSE(wallpaper.unavailable());
        EXPECT_TRUE(wallpaper.image().isNull());
    }
}

TEST(DesktopWallpaperImage, ReadsThePictureOnlyWhenItChanged) {
    QTemporaryDir dir;
    const QString red = writePicture(dir, QStringLiteral("red.png"), {40, 30}, Qt::red);
    const QString blue = writePicture(dir, QStringLiteral("blue.png"), {40, 30}, Qt::blue);
    QString located = red;
    std::atomic<int> located_ = 0;
    std::atomic<int> decoded = 0;
    DesktopWallpaperImage wallpaper;
    wallpaper.setLocator([&](const DesktopPlace&) -> std::optional<QString> {
        ++located_;
        return located;
    });
    wallpaper.setDecoder([&](const QString& path) {
        ++decoded;
        return wallpaperThumbnail(path);
    });
    const auto refreshed = [&](int lookups) {
        wallpaper.refresh();
        return waitFor([&] { return located_.load() == lookups; }) &&
               QThreadPool::globalInstance()->waitForDone(30000);
    };
    ASSERT_TRUE(refreshed(1));
    ASSERT_TRUE(waitFor([&] { return wallpaper.path() == red; }));
    const QUrl shown = wallpaper.source();

    // The same file again: looked up, not read, and the picture shown stays as it is.
    ASSERT_TRUE(refreshed(2));
    QCoreApplication::processEvents();
    EXPECT_EQ(decoded.load(), 1);
    EXPECT_EQ(wallpaper.source(), shown);

    // Another file is read; so is the same file once it was written anew.
    located = blue;
    ASSERT_TRUE(refreshed(3));
    ASSERT_TRUE(waitFor([&] { return wallpaper.path() == blue; }));
    EXPECT_EQ(decoded.load(), 2);
    writePicture(dir, QStringLiteral("blue.png"), {80, 30}, Qt::green);
    ASSERT_TRUE(refreshed(4));
    ASSERT_TRUE(waitFor([&] { return wallpaper.image().width() == 80; }));
    EXPECT_EQ(decoded.load(), 3);

    // Switched off and on: the picture comes back, read again.
    wallpaper.setEnabled(false);
    EXPECT_TRUE(wallpaper.path().isEmpty());
    wallpaper.setEnabled(true);
    ASSERT_TRUE(waitFor([&] { return wallpaper.path() == blue; }));
    EXPECT_EQ(decoded.load(), 4);
}

} // namespace
} // namespace orbitdeck
