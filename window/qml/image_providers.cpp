#include "window/qml/image_providers.h"

#include "window/qml/app_icon_cache.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>
#include <QUrl>

namespace orbitdeck {

namespace {

QSize squareOf(const QSize& requested, int fallback) {
    const int edge = std::max(requested.width(), requested.height());
    return edge > 0 ? QSize(edge, edge) : QSize(fallback, fallback);
}

QImage placeholderIcon(const QSize& size) {
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

} // namespace

AppIconProvider::AppIconProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage AppIconProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    const QSize target = squareOf(requestedSize, 256);
    const QImage icon = AppIconCache::shared().icon(QUrl::fromPercentEncoding(id.toUtf8()));
    QImage result = icon.isNull()
                        ? placeholderIcon(target)
                        : icon.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (size)
        *size = result.size();
    return result;
}

SymbolProvider::SymbolProvider()
    : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage SymbolProvider::requestImage(const QString& id, QSize* size, const QSize& requestedSize) {
    const qsizetype mark = id.indexOf(QLatin1Char('?'));
    const QString name = mark < 0 ? id : id.left(mark);
    const QColor color(mark < 0 ? QStringLiteral("white") : id.mid(mark + 1));
    const QSize target = squareOf(requestedSize, 32);

    QImage image(target, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/symbols/%1.svg").arg(name));
    if (renderer.isValid()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        // Keep the drawing's coverage, take the colour given.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color.isValid() ? color : QColor(Qt::white));
    }
    if (size)
        *size = image.size();
    return image;
}

} // namespace orbitdeck
