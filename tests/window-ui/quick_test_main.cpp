// Qt Quick tests of the launcher views: the module, its image providers and its import path.
#include "window/qml/desktop_wallpaper_image.h"
#include "window/qml/image_providers.h"

#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
        engine->addImageProvider(QStringLiteral("appicon"), new orbitdeck::AppIconProvider);
        engine->addImageProvider(QStringLiteral("symbol"), new orbitdeck::SymbolProvider);
        engine->addImageProvider(QStringLiteral("drawing"), new orbitdeck::DrawingProvider);
        engine->addImageProvider(QStringLiteral("shadow"), new orbitdeck::ShadowProvider);
        engine->addImageProvider(QStringLiteral("wallpaper"), new orbitdeck::WallpaperProvider);
    }
};

QUICK_TEST_MAIN_WITH_SETUP(window_ui, Setup)

#include "quick_test_main.moc"
