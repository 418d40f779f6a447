#include "window/qml/app_icon_cache.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <future>
#include <mutex>
#include <vector>

namespace orbitdeck {
namespace {

// A bundle folder with an Info.plist naming iconFile and, when size > 0, that icon as a PNG.
QString makeBundle(const QTemporaryDir& root, const QString& name, const QString& iconFile,
                   const QString& writtenIcon, int size,
                   const QColor& color = QColor(200, 40, 40)) {
    const QString bundle = root.filePath(name + QStringLiteral(".app"));
    QDir().mkpath(bundle + QStringLiteral("/Contents/Resources"));
    QFile plist(bundle + QStringLiteral("/Contents/Info.plist"));
    EXPECT_TRUE(plist.open(QIODevice::WriteOnly));
    plist.write(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                               "<plist version=\"1.0\"><dict>"
                               "<key>CFBundlePackageType</key><string>APPL</string>"
                               "<key>CFBundleIconFile</key><string>%1</string>"
                               "</dict></plist>\n")
                    .arg(iconFile)
                    .toUtf8());
    plist.close();
    if (size > 0) {
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(color);
        EXPECT_TRUE(icon.save(bundle + QStringLiteral("/Contents/Resources/") + writtenIcon));
    }
    return bundle;
}

TEST(BundleIcon, ReadsTheDeclaredIconAndReducesIt) {
    QTemporaryDir root;
    {
        // No extension in the plist: .icns is tried, then .png.
        const QString bundle = makeBundle(root, QStringLiteral("Plain"), QStringLiteral("AppIcon"),
                                          QStringLiteral("AppIcon.png"), 64);
        const QImage icon = loadBundleIcon(bundle);
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(64, 64));
    }
    {
        const QString bundle = makeBundle(root, QStringLiteral("Large"), QStringLiteral("Big.png"),
                                          QStringLiteral("Big.png"), 1024);
        EXPECT_EQ(loadBundleIcon(bundle, 256).size(), QSize(256, 256));
        // Decoded for the size it is drawn at; a small file is never enlarged.
        EXPECT_EQ(loadBundleIcon(bundle, 62).size(), QSize(62, 62));
        const QString small = makeBundle(root, QStringLiteral("Small"), QStringLiteral("S.png"),
                                         QStringLiteral("S.png"), 32);
        EXPECT_EQ(loadBundleIcon(small, 62).size(), QSize(32, 32));
    }
    {
        // A file whose suffix lies is still read, by its contents.
        const QString bundle =
            makeBundle(root, QStringLiteral("Liar"), QStringLiteral("Icon.jpg"), QString(), 0);
        QImage png(48, 48, QImage::Format_ARGB32);
        png.fill(QColor(40, 200, 40));
        ASSERT_TRUE(png.save(bundle + QStringLiteral("/Contents/Resources/Icon.jpg"), "PNG"));
        EXPECT_EQ(loadBundleIcon(bundle).size(), QSize(48, 48));
    }
    {
        // A name that leaves the resources folder is not followed.
        const QString bundle =
            makeBundle(root, QStringLiteral("Sneaky"), QStringLiteral("../../Secret.png"),
                       QStringLiteral("Secret.png"), 32);
        EXPECT_TRUE(loadBundleIcon(bundle).isNull());
    }
    {
        const QString bundle =
            makeBundle(root, QStringLiteral("Missing"), QStringLiteral("Gone"), QString(), 0);
        EXPECT_TRUE(loadBundleIcon(bundle).isNull());
        EXPECT_TRUE(loadBundleIcon(root.filePath(QStringLiteral("Nothing.app"))).isNull());
    }
}

TEST(AppIconCache, AsksOncePerBundleUntilClearedAndKeepsAtMostItsLimit) {
    int loads = 0;
    AppIconCache cache(
        [&loads](const QString&, int edge) {
            ++loads;
            QImage image(edge, edge, QImage::Format_ARGB32);
            image.fill(Qt::blue);
            return image;
        },
        3);
    {
        cache.icon(QStringLiteral("/a.app"), 62);
        cache.icon(QStringLiteral("/a.app"), 62);
        EXPECT_EQ(loads, 1);
        // Each drawn size is its own entry, held at that size.
        EXPECT_EQ(cache.icon(QStringLiteral("/a.app"), 20).size(), QSize(20, 20));
        EXPECT_EQ(loads, 2);
        EXPECT_EQ(cache.icon(QStringLiteral("/a.app"), 62).size(), QSize(62, 62));
        EXPECT_EQ(loads, 2);
    }
    {
        // A bundle without an icon is remembered as such and not read again.
        AppIconCache empty([&loads](const QString&, int) {
            ++loads;
            return QImage();
        });
        const int before = loads;
        EXPECT_TRUE(empty.icon(QStringLiteral("/none.app"), 62).isNull());
        EXPECT_TRUE(empty.icon(QStringLiteral("/none.app"), 62).isNull());
        EXPECT_EQ(loads, before + 1);
    }
    {
        for (const char* path : {"/b.app", "/c.app", "/d.app", "/e.app"})
            cache.icon(QString::fromLatin1(path), 62);
        EXPECT_LE(cache.count(), 3);
    }
    {
        cache.clear();
        EXPECT_EQ(cache.count(), 0);
        const int before = loads;
        cache.icon(QStringLiteral("/a.app"), 62);
        EXPECT_EQ(loads, before + 1);
    }
    EXPECT_EQ(AppIconCache::defaultLimit, 256);
}

// Holds back the reads of the paths it is told to until opened; counts every read.
class GatedLoader {
public:
    QImage load(const QString& path, int edge) {
        ++reads_;
        {
            std::unique_lock lock(mutex_);
            ++entered_;
            changed_.notify_all();
            if (path.startsWith(QStringLiteral("/held")))
                changed_.wait(lock, [this] { return open_; });
        }
        QImage image(edge, edge, QImage::Format_ARGB32_Premultiplied);
        image.fill(path.endsWith(QStringLiteral("blue.app")) ? Qt::blue : Qt::red);
        return image;
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void waitUntilEntered(int count) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return entered_ >= count; });
    }
    int reads() const { return reads_; }

private:
    std::atomic<int> reads_ = 0;
    std::mutex mutex_;
    std::condition_variable changed_;
    int entered_ = 0;
    bool open_ = false;
};

TEST(AppIconCache, ReadsEachIconOnceWhetherPrefetchedOrAskedFromManyThreads) {
    {
        // Asked while the prefetched read is under way: waits for it instead of reading again.
        GatedLoader loader;
        AppIconCache cache([&loader](const QString& p, int e) { return loader.load(p, e); });
        cache.prefetch(QStringLiteral("/held/blue.app"), 62);
        loader.waitUntilEntered(1);
        auto asked = std::async(std::launch::async,
                                [&] { return cache.icon(QStringLiteral("/held/blue.app"), 62); });
        EXPECT_EQ(asked.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
        loader.open();
        const QImage icon = asked.get();
        EXPECT_EQ(icon.pixelColor(0, 0), QColor(Qt::blue));
        EXPECT_EQ(loader.reads(), 1);
        // Prefetching what is cached reads nothing.
        cache.prefetch(QStringLiteral("/held/blue.app"), 62);
        EXPECT_EQ(cache.icon(QStringLiteral("/held/blue.app"), 62), icon);
        EXPECT_EQ(loader.reads(), 1);
    }
    {
        GatedLoader loader;
        AppIconCache cache([&loader](const QString& p, int e) { return loader.load(p, e); });
        std::vector<std::future<QImage>> askers;
        for (int i = 0; i < 8; ++i)
            askers.push_back(std::async(std::launch::async, [&] {
                return cache.icon(QStringLiteral("/held/blue.app"), 40);
            }));
        loader.waitUntilEntered(1);
        QThread::msleep(20); // lets the other askers reach the cache
        loader.open();
        for (auto& asker : askers)
            EXPECT_EQ(asker.get().size(), QSize(40, 40));
        EXPECT_EQ(loader.reads(), 1);
    }
}

TEST(AppIconCache, APrefetchNoWorkerBeganIsReadByWhoAsksAndAClearDropsReadsUnderWay) {
    GatedLoader loader;
    {
        AppIconCache cache([&loader](const QString& p, int e) { return loader.load(p, e); });
        // Every worker stuck on a held read: the open icon queued behind them is read by the
        // caller rather than waited for.
        for (int i = 0; i < 4; ++i)
            cache.prefetch(QStringLiteral("/held/%1.app").arg(i), 62);
        cache.prefetch(QStringLiteral("/open/blue.app"), 62);
        loader.waitUntilEntered(1);
        EXPECT_EQ(cache.icon(QStringLiteral("/open/blue.app"), 62).pixelColor(0, 0),
                  QColor(Qt::blue));

        // A refresh while reads are under way: what they bring back is not kept.
        cache.clear();
        loader.open();
        const int before = loader.reads();
        cache.icon(QStringLiteral("/held/0.app"), 62);
        EXPECT_EQ(loader.reads(), before + 1);
        // The cache ends with reads queued and under way: it drops the first and waits for the
        // others, which still use it.
        for (int i = 0; i < 40; ++i)
            cache.prefetch(QStringLiteral("/open/%1.app").arg(i), 62);
    }
}

} // namespace
} // namespace orbitdeck
