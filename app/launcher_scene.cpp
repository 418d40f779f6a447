#include "app/launcher_scene.h"

#include "app/launcher_parts.h"
#include "arranging/command_layer.h"
#include "arranging/layout_operations.h"
#include "onboarding/onboarding_presenter.h"
#include "platform/freed_memory.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"
#include "window/localization_bridge.h"
#include "window/qml/app_icon_cache.h"
#include "window/qml/frame_times.h"
#include "window/qml/rendered_icon_store.h"
#include "window/qml/state_report.h"
#include "window/qml/view_engine.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QScreen>
#include <QThreadPool>
#include <QTimer>

namespace orbitdeck {

LauncherScene::LauncherScene() {
    ViewHost::provide(&host_);
    prepareViewEngine(engine_);
    // The views' types are read on the QML loader's thread from here on, while this one makes
    // the launcher's parts, starts the library's scan and goes on with the event loop.
    views_ = std::make_unique<QQmlComponent>(&engine_);
    views_->loadUrl(QUrl(QStringLiteral("qrc:/qt/qml/Orbitdeck/App/Main.qml")),
                    QQmlComponent::Asynchronous);
    parts_ = makeLauncherParts();
}

LauncherScene::~LauncherScene() = default;

bool LauncherScene::show() {
    // The catalog scan overlaps the loading of the views; its result reaches the main thread
    // only once they are up.
    parts_->loadLibrary();
    // Naming the icon theme may ask gsettings: done beside the views' load, not by the first
    // icon a tile waits for.
    prepareDesktopIconTheme();
    // The first label reads the language's string table; parsed on a worker meanwhile.
    QThreadPool::globalInstance()->start(
        [language = parts_->language()->language()] { localized(QString(), language); });
    if (const QString folder = RenderedIconStore::defaultFolder(); !folder.isEmpty())
        useRenderedIconStore(std::make_shared<RenderedIconStore>(folder));
    host_.setLoadingViews(true);
    // Waits for the reading begun with the scene, without running the event loop: the library's
    // result stays queued until the window is made and laid out, and the grid is made once.
    QQmlComponent main(&engine_, views_->url(), QQmlComponent::PreferSynchronous);
    root_.reset(main.createWithInitialProperties(
        {{QStringLiteral("win"), QVariant::fromValue(parts_->state())},
         {QStringLiteral("lang"), QVariant::fromValue(parts_->language())},
         {QStringLiteral("commands"), QVariant::fromValue(parts_->commands())},
         {QStringLiteral("layoutOps"), QVariant::fromValue(parts_->layoutOps())},
         {QStringLiteral("onboarding"), QVariant::fromValue(parts_->onboarding())}}));
    views_.reset();
    for (const QQmlError& error : main.errors())
        qWarning("%s", qPrintable(error.toString()));
    window_ = qobject_cast<QQuickWindow*>(root_.get());
    if (!window_)
        return false;

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window_->setPosition(area.center() - QPoint(window_->width() / 2, window_->height() / 2));
    }
    if (const QByteArray path = qgetenv(StateReport::environmentVariable); !path.isEmpty())
        report_ =
            std::make_unique<StateReport>(window_, parts_->state(), QString::fromLocal8Bit(path));
    FrameTimes::installIfAsked(window_);
    parts_->attach(*window_, host_);
    watchFirstLibraryFrame();
    host_.watchFirstInput(window_);
    // What changes from here on (the display mode at the first mapping) draws at once.
    host_.setLoadingViews(false);
    window_->show();
    return true;
}

void LauncherScene::perform(InstanceRequest request) {
    parts_->perform(request);
}

void LauncherScene::watchFirstLibraryFrame() {
    // Whether the library was loaded when the frame began; the swap that ends such a frame has
    // put the library on screen. The render thread may swap: its signal is queued here.
    auto loadedAtFrame = std::make_shared<bool>(false);
    QObject::connect(window_, &QQuickWindow::afterAnimating, window_, [this, loadedAtFrame] {
        const AmbergridWindow* state = parts_->state();
        *loadedAtFrame = state && state->library()->loaded();
    });
    QObject::connect(
        window_, &QQuickWindow::frameSwapped, window_,
        [this, loadedAtFrame] {
            if (*loadedAtFrame && !host_.libraryShown()) {
                host_.setLibraryShown(true);
                parts_->libraryShown();
                // The start's scan, parsing and decoding freed most of what they took, but glibc
                // keeps freed pages in each worker's arena until asked: handed back once what the
                // first library frame set off has run.
                QTimer::singleShot(0, window_, [] { releaseFreedMemory(); });
            }
        },
        Qt::QueuedConnection);
}

} // namespace orbitdeck
