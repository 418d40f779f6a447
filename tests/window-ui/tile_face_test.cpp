#include "window/qml/image_providers.h"
#include "window/qml/tile_face.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

// A bundle whose icon is a square of one colour.
QString colouredBundle(const QTemporaryDir& root, const QString& name, const QColor& color) {
    const QString bundle = root.filePath(name + QStringLiteral(".app"));
    QDir().mkpath(bundle + QStringLiteral("/Contents/Resources"));
    QFile plist(bundle + QStringLiteral("/Contents/Info.plist"));
    EXPECT_TRUE(plist.open(QIODevice::WriteOnly));
    plist.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\"><dict>"
                "<key>CFBundlePackageType</key><string>APPL</string>"
                "<key>CFBundleIconFile</key><string>Icon.png</string></dict></plist>\n");
    plist.close();
    QImage icon(64, 64, QImage::Format_ARGB32);
    icon.fill(color);
    EXPECT_TRUE(icon.save(bundle + QStringLiteral("/Contents/Resources/Icon.png")));
    return bundle;
}

QUrl iconUrl(const QString& bundle) {
    return QUrl(QStringLiteral("image://appicon/") +
                QString::fromUtf8(QUrl::toPercentEncoding(bundle)));
}

TEST(TileFace, EachFrameShowsTheIconOfTheCurrentSourceWhateverWasReadAhead) {
    QTemporaryDir root;
    const QUrl red = iconUrl(colouredBundle(root, QStringLiteral("Red"), Qt::red));
    const QUrl blue = iconUrl(colouredBundle(root, QStringLiteral("Blue"), Qt::blue));
    const QUrl green = iconUrl(colouredBundle(root, QStringLiteral("Green"), Qt::green));

    QQmlEngine engine;
    engine.addImageProvider(QStringLiteral("appicon"), new AppIconProvider);
    QQuickWindow window;
    window.resize(120, 120);
    auto* face = new TileFace;
    QQmlEngine::setContextForObject(face, engine.rootContext());
    face->setSize(QSizeF(110, 110));
    face->setShowsLabel(false);
    face->setIconSize(62);
    face->setParentItem(window.contentItem());
    window.show();
    const auto shownColour = [&] { return window.grabWindow().pixelColor(55, 55); };
    {
        // The first frame already has the icon: no empty plate first.
        face->setIconSource(red);
        EXPECT_EQ(shownColour(), QColor(Qt::red));
    }
    {
        // Changed before the frame while the earlier read may still be under way: the newest.
        face->setIconSource(blue);
        face->setIconSource(green);
        EXPECT_EQ(shownColour(), QColor(Qt::green));
        face->setIconSource(blue);
        EXPECT_EQ(shownColour(), QColor(Qt::blue));
    }
    {
        // Without a source, no icon at all rather than the last one.
        face->setIconSource(QUrl());
        EXPECT_NE(shownColour(), QColor(Qt::blue));
    }
}

} // namespace
} // namespace orbitdeck
