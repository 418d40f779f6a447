#include "window/qml/image_providers.h"

#include "window/qml/app_icon_cache.h"

#include <QColor>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QUrl>

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

namespace orbitdeck {

namespace {

QSize squareOf(const QSize& requested, int fallback) {
    const int edge = std::max(requested.width(), requested.height());
    return edge > 0 ? QSize(edge, edge) : QSize(fallback, fallback);
}

// Clears image and draws the SVG file over all of it; whether the file was a drawing.
bool drawSvg(const QString& file, QImage& image) {
    image.fill(Qt::transparent);
    QSvgRenderer renderer(file);
    if (!renderer.isValid())
        return false;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return true;
}

QImage drawPlaceholderIcon(const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(image.rect())
                           .adjusted(size.width() * 0.08, size.height() * 0.08,
                                     -size.width() * 0.08, -size.height() * 0.08);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 156, 170));
    painter.drawRoundedRect(box, box.width() * 0.22, box.height() * 0.22);
    return image;
}

// The stand-in of every icon still being read, drawn once per size: a page filling shows it on
// every tile at once. Asked from the main thread and from the icon readers.
QImage placeholderIcon(const QSize& size) {
    static std::mutex lock;
    static QHash<quint64, QImage> drawn;
    const std::lock_guard locked(lock);
    const quint64 key = quint64(quint32(size.width())) << 32 | quint32(size.height());
    auto found = drawn.find(key);
    if (found == drawn.end()) {
        // A few sizes at most: the grid's and the folder previews'.
        if (drawn.size() >= 8)
            drawn.clear();
        found = drawn.insert(key, drawPlaceholderIcon(size));
    }
    return *found;
}

// One pass of a box blur of the given radius along the rows (or the columns) of an 8-bit alpha
// image; three passes come close to a Gaussian.
void boxBlurPass(QImage& alpha, int radius, bool rows) {
    const int lines = rows ? alpha.height() : alpha.width();
    const int length = rows ? alpha.width() : alpha.height();
    const int window = 2 * radius + 1;
    std::vector<int> line(static_cast<std::size_t>(length));
    // Raw pixels: scanLine() checks for sharing on every call, which cost more than the blur.
    uchar* const bits = alpha.bits();
    const qsizetype stride = alpha.bytesPerLine();
    for (int l = 0; l < lines; ++l) {
        const auto at = [&](int i) -> uchar& {
            return rows ? bits[l * stride + i] : bits[i * stride + l];
        };
        for (int i = 0; i < length; ++i)
            line[static_cast<std::size_t>(i)] = at(i);
        int sum = 0;
        const auto value = [&](int i) {
            return i < 0 || i >= length ? 0 : line[static_cast<std::size_t>(i)];
        };
        for (int i = -radius; i <= radius; ++i)
            sum += value(i);
        for (int i = 0; i < length; ++i) {
            at(i) = static_cast<uchar>(sum / window);
            sum += value(i + radius + 1) - value(i - radius);
        }
    }
}

} // namespace

QImage roundedShadow(const QSize& size, qreal cornerRadius, qreal blurRadius) {
    QImage alpha(size, QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const QRectF shape =
            QRectF(alpha.rect()).adjusted(blurRadius, blurRadius, -blurRadius, -blurRadius);
        painter.drawRoundedRect(shape, cornerRadius, cornerRadius);
    }
    // Three box passes each way of a third of the radius spread the edge over the radius.
    const int box = std::max(qRound(blurRadius / 3), 1);
    for (int pass = 0; pass < 3; ++pass) {
        boxBlurPass(alpha, box, true);
        boxBlurPass(alpha, box, false);
    }
    QImage shadow(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        const uchar* from = alpha.constScanLine(y);
        auto* to = reinterpret_cast<QRgb*>(shadow.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            to[x] = qRgba(0, 0, 0, from[x]);
    }
    return shadow;
}

namespace {

QString bundlePathOf(const QString& id) {
    return QUrl::fromPercentEncoding(id.toUtf8());
}

int iconEdgeFor(const QSize& requestedSize) {
    return squareOf(requestedSize, 256).width();
}

// One icon for a QML item, delivered once the shared cache has read it.
class AppIconResponse final : public QQuickImageResponse {
public:
    AppIconResponse(QString bundlePath, int edge)
        : bundlePath_(std::move(bundlePath))
        , edge_(edge)
        , guard_(std::make_shared<Guard>()) {
        guard_->response = this;
        ask();
    }
    ~AppIconResponse() override {
        const std::lock_guard lock(guard_->mutex);
        guard_->response = nullptr;
    }
    QQuickTextureFactory* textureFactory() const override {
        return QQuickTextureFactory::textureFactoryForImage(image_);
    }

private:
    // Lets a worker reach the response only while it exists.
    struct Guard {
        std::mutex mutex;
        AppIconResponse* response = nullptr;
    };

    void ask() {
        const auto icon =
            AppIconCache::shared().icon(bundlePath_, edge_, QDeadlineTimer(0), [guard = guard_] {
                const std::lock_guard lock(guard->mutex);
                if (AppIconResponse* response = guard->response)
                    QMetaObject::invokeMethod(
                        response, [response] { response->ask(); }, Qt::QueuedConnection);
            });
        if (!icon)
            return;
        image_ = icon->isNull() ? placeholderIcon(QSize(edge_, edge_)) : *icon;
        // Queued: whoever asked connects to the signal after the response is made.
        QMetaObject::invokeMethod(
            this, [this] { emit finished(); }, Qt::QueuedConnection);
    }

    const QString bundlePath_;
    const int edge_;
    std::shared_ptr<Guard> guard_;
    QImage image_;
};

} // namespace

QQuickImageResponse* AppIconProvider::requestImageResponse(const QString& id,
                                                           const QSize& requestedSize) {
    return new AppIconResponse(bundlePathOf(id), iconEdgeFor(requestedSize));
}

void AppIconProvider::prefetch(const QString& id, const QSize& requestedSize) {
    AppIconCache::shared().prefetch(bundlePathOf(id), iconEdgeFor(requestedSize));
}

std::optional<QImage> AppIconProvider::readyImage(const QString& id, const QSize& requestedSize,
                                                  QDeadlineTimer deadline,
                                                  std::function<void()> ready) {
    const int edge = iconEdgeFor(requestedSize);
    auto icon = AppIconCache::shared().icon(bundlePathOf(id), edge, deadline, std::move(ready));
    if (icon && icon->isNull())
        return placeholderIcon(QSize(edge, edge));
    return icon;
}

QImage AppIconProvider::placeholder(const QSize& size) const {
    return placeholderIcon(size);
}

SymbolProvider::SymbolProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage SymbolProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    const qsizetype mark = id.indexOf(QLatin1Char('?'));
    const QString name = mark < 0 ? id : id.left(mark);
    const QColor color(mark < 0 ? QStringLiteral("white") : id.mid(mark + 1));
    QImage image(squareOf(requestedSize, 32), QImage::Format_ARGB32_Premultiplied);
    if (drawSvg(QStringLiteral(":/symbols/%1.svg").arg(name), image)) {
        // Keep the drawing's coverage, take the colour given.
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color.isValid() ? color : QColor(Qt::white));
    }
    if (size)
        *size = image.size();
    return image;
}

DrawingProvider::DrawingProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage DrawingProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    QImage image(squareOf(requestedSize, 64), QImage::Format_ARGB32_Premultiplied);
    // Only drawings in our own resources, never a path that climbs out of them.
    if (id.contains(QLatin1String("..")))
        image.fill(Qt::transparent);
    else
        drawSvg(QStringLiteral(":/%1.svg").arg(id), image);
    if (size)
        *size = image.size();
    return image;
}

ShadowProvider::ShadowProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage ShadowProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    const QStringList parts = id.split(QLatin1Char('/'));
    const qreal corner = parts.value(0).toDouble();
    const qreal blur = std::clamp(parts.value(1).toDouble(), 0.0, 200.0);
    const QSize target = requestedSize.isValid() && !requestedSize.isEmpty()
                             ? requestedSize.boundedTo(QSize(4096, 4096))
                             : QSize(64, 64);
    QImage image = roundedShadow(target, corner, blur);
    if (size)
        *size = image.size();
    return image;
}

} // namespace orbitdeck
