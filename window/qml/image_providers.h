#pragma once

#include <QDeadlineTimer>
#include <QQuickImageProvider>

#include <functional>
#include <optional>

namespace orbitdeck {

// An icon provider that never makes its caller wait for a file: QML items get their images
// asynchronously, and a tile can start a request's work ahead of it and take the image within a
// wait of its own choosing.
class PrefetchingImageProvider : public QQuickAsyncImageProvider {
public:
    virtual void prefetch(const QString& id, const QSize& requestedSize) = 0;
    // The image when it is ready before deadline; else none, and ready runs (on any thread) once
    // it can be asked for again.
    virtual std::optional<QImage> readyImage(const QString& id, const QSize& requestedSize,
                                             QDeadlineTimer deadline,
                                             std::function<void()> ready) = 0;
    // What to draw until then.
    virtual QImage placeholder(const QSize& size) const = 0;
};

// "image://appicon/<bundle path>": the bundle's icon from the shared icon cache, drawn into a
// transparent square of the requested size (a bundle without an icon gives a plain rounded tile,
// which also stands in while the icon is read).
class AppIconProvider final : public PrefetchingImageProvider {
public:
    QQuickImageResponse* requestImageResponse(const QString& id,
                                              const QSize& requestedSize) override;
    void prefetch(const QString& id, const QSize& requestedSize) override;
    std::optional<QImage> readyImage(const QString& id, const QSize& requestedSize,
                                     QDeadlineTimer deadline, std::function<void()> ready) override;
    QImage placeholder(const QSize& size) const override;
};

// "image://symbol/<name>?<color>": one of our symbol drawings, filled with the given colour.
class SymbolProvider final : public QQuickImageProvider {
public:
    SymbolProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

// "image://drawing/<resource path>": one of our SVG drawings (e.g. "icons/orbitdeck") in its own
// colours. Drawn with the linked SVG renderer: an Image on the .svg file would load and query
// every image format plug-in first.
class DrawingProvider final : public QQuickImageProvider {
public:
    DrawingProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

// "image://shadow/<corner radius>/<blur radius>": a soft black shadow of a rounded rectangle,
// the rectangle inset by the blur radius on every side of the requested size. Drawn once per
// size and shared by every item that shows it, where a graphical effect per item would cost
// each its own pass.
class ShadowProvider final : public QQuickImageProvider {
public:
    ShadowProvider();
    QImage requestImage(const QString& id, QSize* size, const QSize& requestedSize) override;
};

// The shadow itself: opaque black, its alpha the rounded rectangle blurred by blurRadius.
QImage roundedShadow(const QSize& size, qreal cornerRadius, qreal blurRadius);

} // namespace orbitdeck
