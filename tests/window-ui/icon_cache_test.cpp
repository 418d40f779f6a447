#include "window/qml/app_icon_cache.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

// A bundle folder with an Info.plist naming iconFile and, when size > 0, that icon as a PNG.
QString makeBundle(const QTemporaryDir& root, const QString& name, const QString& iconFile,
                   const QString& writtenIcon, int size) {
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
        icon.fill(QColor(200, 40, 40));
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

} // namespace
} // namespace orbitdeck
