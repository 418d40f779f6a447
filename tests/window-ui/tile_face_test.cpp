#include "window/qml/app_icon_cache.h"
#include "window/qml/image_providers.h"
#include "window/qml/tile_face.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

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

// Icons by colour name ("image://held/red"), each read only once the test lets it through (or,
// so that a reader that does wait cannot hang the test, after a few seconds).
class HeldIconProvider final : public PrefetchingImageProvider {
public:
    HeldIconProvider()
        : cache_([this](const QString& name, int edge) {
            std::unique_lock lock(mutex_);
            released_.wait_for(lock, std::chrono::seconds(3), [this] { return open_; });
            QImage image(edge, edge, QImage::Format_ARGB32_Premultiplied);
            image.fill(QColor(name));
            return image;
        }) {}
    void release() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        released_.notify_all();
    }
    QQuickImageResponse* requestImageResponse(const QString&, const QSize&) override {
        return nullptr;
    }
    void prefetch(const QString& id, const QSize& size) override {
        cache_.prefetch(id, size.width());
    }
    std::optional<QImage> readyImage(const QString& id, const QSize& size, QDeadlineTimer deadline,
                                     std::function<void()> ready) override {
        return cache_.icon(id, size.width(), deadline, std::move(ready));
    }
    QImage placeholder(const QSize& size) const override {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::gray);
        return image;
    }

private:
    std::mutex mutex_;
    std::condition_variable released_;
    bool open_ = false;
    AppIconCache cache_;
};

// One tile face alone in a window, its icons from the given provider.
struct FaceWindow {
    FaceWindow(const QString& scheme, QQmlImageProviderBase* provider) {
        engine.addImageProvider(scheme, provider);
        window.resize(120, 120);
        face = new TileFace(window.contentItem()); // owned by the window
        QQmlEngine::setContextForObject(face, engine.rootContext());
        face->setSize(QSizeF(110, 110));
        face->setShowsLabel(false);
        face->setIconSize(62);
        window.show();
    }
    QColor shownColour() { return window.grabWindow().pixelColor(55, 55); }

    QQmlEngine engine;
    QQuickWindow window;
    TileFace* face = nullptr;
};

TEST(TileFace, EachFrameShowsTheIconOfTheCurrentSourceWhateverWasReadAhead) {
    QTemporaryDir root;
    const QUrl red = iconUrl(colouredBundle(root, QStringLiteral("Red"), Qt::red));
    const QUrl blue = iconUrl(colouredBundle(root, QStringLiteral("Blue"), Qt::blue));
    const QUrl green = iconUrl(colouredBundle(root, QStringLiteral("Green"), Qt::green));

    FaceWindow tile(QStringLiteral("appicon"), new AppIconProvider);
    TileFace* face = tile.face;
    const auto shownColour = [&] { return tile.shownColour(); };
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

TEST(TileFace, AnIconStillBeingReadShowsTheStandInAndArrivesWhenRead) {
    auto* provider = new HeldIconProvider;
    FaceWindow tile(QStringLiteral("held"), provider);
    tile.face->setIconSource(QUrl(QStringLiteral("image://held/red")));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(tile.shownColour(), QColor(Qt::gray));
    EXPECT_LT(clock.elapsed(), 2000) << "the frame waited for the icon";
    provider->release();
    QColor shown;
    while (shown != QColor(Qt::red) && clock.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        shown = tile.shownColour();
    }
    EXPECT_EQ(shown, QColor(Qt::red));
}

} // namespace
} // namespace orbitdeck
