#include "window/qml/view_engine.h"

#include "window/qml/desktop_wallpaper_image.h"
#include "window/qml/image_providers.h"

#include <QQmlEngine>

namespace orbitdeck {

void prepareViewEngine(QQmlEngine& engine) {
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    engine.addImageProvider(QStringLiteral("appicon"), new AppIconProvider);
    engine.addImageProvider(QStringLiteral("symbol"), new SymbolProvider);
    engine.addImageProvider(QStringLiteral("drawing"), new DrawingProvider);
    engine.addImageProvider(QStringLiteral("shadow"), new ShadowProvider);
    engine.addImageProvider(QStringLiteral("wallpaper"), new WallpaperProvider);
}

} // namespace orbitdeck
