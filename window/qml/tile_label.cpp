#include "window/qml/tile_label.h"

#include "window/qml/image_node.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QTextLayout>
#include <QtMath>

#include <utility>

namespace orbitdeck {

namespace {

// Points at the logical 96 dpi, as the rest of the window gives its sizes.
constexpr qreal regularPoints = 12 * 0.75;
constexpr qreal compactPoints = 10.5 * 0.75;
constexpr qreal smallestFit = 0.85;

QFont labelFont(qreal points) {
    QFont font;
    font.setPointSizeF(points);
    return font;
}

} // namespace

TileLabel::TileLabel(QQuickItem* parent)
    : QQuickItem(parent)
    , font_(labelFont(regularPoints)) {
    setFlag(ItemHasContents);
    setImplicitHeight(qCeil(QFontMetricsF(font_).height()));
}

void TileLabel::setText(const QString& text) {
    if (text_ == text)
        return;
    text_ = text;
    redraw();
    emit textChanged();
}

void TileLabel::setColor(const QColor& color) {
    if (color_ == color)
        return;
    color_ = color;
    redraw();
    emit colorChanged();
}

void TileLabel::setCompact(bool compact) {
    if (compact_ == compact)
        return;
    compact_ = compact;
    font_ = labelFont(compact ? compactPoints : regularPoints);
    setImplicitHeight(qCeil(QFontMetricsF(font_).height()));
    redraw();
    emit fontChanged();
}

void TileLabel::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        redraw();
}

void TileLabel::itemChange(ItemChange change, const ItemChangeData& value) {
    QQuickItem::itemChange(change, value);
    if (change == ItemDevicePixelRatioHasChanged || change == ItemSceneChange ||
        change == ItemVisibleHasChanged)
        redraw();
}

void TileLabel::redraw() {
    stale_ = true;
    polish();
}

void TileLabel::updatePolish() {
    // Polished ahead of its frame already (a view filling off screen).
    if (!std::exchange(stale_, false))
        return;
    const qreal width = this->width();
    QImage image;
    qreal points = font_.pointSizeF();
    bool elided = false;
    if (!text_.isEmpty() && width > 0 && isVisible()) {
        // The largest size from the full one down to 85 % that fits; elided at 85 % otherwise.
        // Each measure shapes the name anew: a name that fits is measured once.
        QFont font = font_;
        qreal advance = QFontMetricsF(font).horizontalAdvance(text_);
        if (advance > width) {
            const qreal smallest = font_.pointSizeF() * smallestFit;
            points = std::max(font_.pointSizeF() * width / advance, smallest);
            font.setPointSizeF(points);
            advance = QFontMetricsF(font).horizontalAdvance(text_);
            while (points > smallest && advance > width) {
                points = std::max(points - 0.1, smallest);
                font.setPointSizeF(points);
                advance = QFontMetricsF(font).horizontalAdvance(text_);
            }
        }
        const QFontMetricsF metrics(font);
        QString shown = text_;
        if (advance > width) {
            shown = metrics.elidedText(text_, Qt::ElideRight, width);
            elided = true;
        }
        // Laid out once for both the shadow and the ink: drawing a string shapes it each time.
        QTextLayout layout(shown, font);
        layout.setCacheEnabled(true);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
        const bool raised = color_.red() == 255 && color_.green() == 255 && color_.blue() == 255;
        // Room above and below the line: marks and fallback fonts reach beyond its height.
        margin_ = qCeil(metrics.height() / 2);
        const QSizeF box(width, height() + 2 * margin_ + 1);
        image = QImage((box * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        // On the label font's baseline, whatever fallback font a script takes, so every
        // name of a row sits on one line.
        const QPointF origin((width - line.naturalTextWidth()) / 2,
                             margin_ + metrics.ascent() - line.ascent());
        if (raised) {
            painter.setPen(QColor::fromRgbF(0, 0, 0, 0.45f));
            layout.draw(&painter, origin + QPointF(0, 1));
        }
        painter.setPen(color_);
        layout.draw(&painter, origin);
    }
    image_ = image;
    imageFresh_ = true;
    update();
    if (points != fittedPointSize_ || elided != elided_) {
        fittedPointSize_ = points;
        elided_ = elided;
        emit fitted();
    }
}

QSGNode* TileLabel::updatePaintNode(QSGNode* old, UpdatePaintNodeData*) {
    // On whole device pixels, or the texture's sampling blurs the glyphs.
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    const QPointF scene = mapToScene(QPointF(0, -margin_));
    const QPointF snapped(std::round(scene.x() * ratio) / ratio,
                          std::round(scene.y() * ratio) / ratio);
    const QRectF rect(snapped - scene + QPointF(0, -margin_), image_.deviceIndependentSize());
    auto* node =
        updateImageNode(window(), static_cast<QSGImageNode*>(old), image_, imageFresh_, rect);
    imageFresh_ = false;
    return node;
}

} // namespace orbitdeck
