#pragma once

#include <QQuickImageProvider>

namespace orbitdeck {

// "image://appicon/<bundle path>": the bundle's icon from the shared icon cache, drawn into a
// transparent square of the requested size (a bundle without an icon gives a plain rounded tile).
class AppIconProvider final : public QQuickImageProvider {
public:
    AppIconProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

// "image://symbol/<name>?<color>": one of our symbol drawings, filled with the given colour.
class SymbolProvider final : public QQuickImageProvider {
public:
    SymbolProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

} // namespace orbitdeck
