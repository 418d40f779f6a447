#include "window/qml/backdrop_gradient.h"

#include "platform/background_work.h"
#include "platform/main_thread.h"
#include "window/qml/image_node.h"

#include <QPainter>
#include <QQuickWindow>
#include <QRadialGradient>
#include <QSGImageNode>
#include <QSGRenderNode>
#include <QtMath>

namespace orbitdeck {

QImage drawBackdropGradient(QSize pixels, const QColor& top, const QColor& bottom, qreal vignette) {
    if (pixels.isEmpty())
        return {};
    const bool opaque = top.isValid() && bottom.isValid();
    QImage image(pixels, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QRectF area(QPointF(0, 0), pixels);
    if (opaque) {
        QLinearGradient gradient(area.topLeft(), area.bottomLeft());
        gradient.setColorAt(0, top);
        gradient.setColorAt(1, bottom);
        painter.fillRect(area, gradient);
    } else {
        image.fill(Qt::transparent);
    }
    QRadialGradient shade(area.center(), 0.8 * area.width(), area.center());
    shade.setColorAt(0, Qt::transparent);
    shade.setColorAt(0.35 / 0.8, Qt::transparent);
    shade.setColorAt(1, QColor::fromRgbF(0, 0, 0, static_cast<float>(vignette)));
    painter.fillRect(area, shade);
    return image;
}

BackdropGradient::BackdropGradient(QQuickItem* parent)
    : QQuickItem(parent) {
    setFlag(ItemHasContents);
}

BackdropGradient::~BackdropGradient() = default;

void BackdropGradient::setTopColor(const QColor& top) {
    if (top_ == top)
        return;
    top_ = top;
    changed();
    emit looksChanged();
}

void BackdropGradient::setBottomColor(const QColor& bottom) {
    if (bottom_ == bottom)
        return;
    bottom_ = bottom;
    changed();
    emit looksChanged();
}

void BackdropGradient::setVignette(qreal vignette) {
    if (vignette_ == vignette)
        return;
    vignette_ = vignette;
    changed();
    emit looksChanged();
}

void BackdropGradient::setVignetteOnly(bool only) {
    if (vignetteOnly_ == only)
        return;
    vignetteOnly_ = only;
    changed();
    emit looksChanged();
}

void BackdropGradient::setSharp(bool sharp) {
    if (sharp_ == sharp)
        return;
    sharp_ = sharp;
    changed();
    emit looksChanged();
}

void BackdropGradient::changed() {
    polish();
}

void BackdropGradient::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size()) {
        changed();
        update();
    }
}

void BackdropGradient::itemChange(ItemChange change, const ItemChangeData& value) {
    QQuickItem::itemChange(change, value);
    if (change == ItemSceneChange || change == ItemDevicePixelRatioHasChanged ||
        change == ItemVisibleHasChanged)
        changed();
}

BackdropGradient::Looks BackdropGradient::wanted() const {
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    return {.pixels = QSize(qCeil(width() * ratio), qCeil(height() * ratio)),
            .top = vignetteOnly_ ? QColor() : top_,
            .bottom = vignetteOnly_ ? QColor() : bottom_,
            .vignette = vignette_,
            .vignetteOnly = vignetteOnly_,
            // Only the software renderer gains from the window-sized picture: it copies that one
            // where it would scale the small one in every frame. A GPU scales the small one for
            // nothing.
            .full = sharp_ && !vignetteOnly_ && drawsInSoftware(window())};
}

void BackdropGradient::updatePolish() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // Hidden (the vignette while no picture shows, the gradient under a picture), it holds no
    // picture: drawn again, at once, when it shows.
    if (!isVisible()) {
        ++generation_;
        drawn_ = {};
        if (!picture_.isNull())
            show(QImage(), false);
        return;
    }
    const Looks looks = wanted();
    if (looks == drawn_)
        return;
    const Looks before = drawn_;
    drawn_ = looks;
    const quint64 generation = ++generation_;
    if (looks.full) {
        runInBackground(
            this,
            [looks] {
                return drawBackdropGradient(looks.pixels, looks.top, looks.bottom, looks.vignette);
            },
            [this, generation](QImage picture) {
                if (generation == generation_)
                    show(std::move(picture), true);
            });
        // A full-size picture of the same colours, scaled to the new size, stands in better
        // than a quarter-size one while the new one is drawn; the quarter-size one shown, of the
        // same colours and size, is the one that would be drawn again (in the frame of the first
        // input, repainting the whole window for nothing).
        const bool sameColours = before.top == looks.top && before.bottom == looks.bottom &&
                                 before.vignette == looks.vignette;
        if (sameColours && (fullSize_ || (before.pixels == looks.pixels && !picture_.isNull())))
            return;
    }
    const QSize quarter((looks.pixels.width() + 3) / 4, (looks.pixels.height() + 3) / 4);
    show(drawBackdropGradient(quarter, looks.top, looks.bottom, looks.vignette), false);
}

void BackdropGradient::show(QImage picture, bool full) {
    picture_ = std::move(picture);
    pictureFresh_ = true;
    update();
    if (fullSize_ != full) {
        fullSize_ = full;
        emit fullSizeChanged();
    }
}

namespace {

// The full-size picture under the software renderer: copied rectangle by rectangle of what needs
// drawing, with no clip set. An image node is drawn clipped to that region, which sends every
// row through the raster engine's general blend, split over its thread pool.
class CopyNode : public QSGRenderNode {
public:
    explicit CopyNode(QQuickWindow* window)
        : window_(window) {}

    void setPicture(const QImage& picture, const QRectF& rect) {
        picture_ = picture;
        rect_ = rect;
        markDirty(DirtyMaterial);
    }

    void render(const RenderState* state) override {
        auto* painter = static_cast<QPainter*>(window_->rendererInterface()->getResource(
            window_, QSGRendererInterface::PainterResource));
        if (!painter || picture_.isNull())
            return;
        const QTransform toWindow = matrix()->toTransform();
        const QRect area = toWindow.mapRect(rect_).toAlignedRect();
        QRegion region = state->clipRegion() ? *state->clipRegion() & area : QRegion(area);
        painter->save();
        painter->setTransform(QTransform());
        painter->setOpacity(inheritedOpacity());
        if (toWindow.type() > QTransform::TxTranslate) {
            painter->setClipRegion(region);
            painter->setTransform(toWindow);
            painter->drawImage(rect_, picture_);
        } else {
            painter->setClipping(false);
            const QPointF origin = toWindow.map(rect_.topLeft());
            const qreal scaleX = picture_.width() / rect_.width();
            const qreal scaleY = picture_.height() / rect_.height();
            for (const QRect& part : region)
                painter->drawImage(QRectF(part), picture_,
                                   QRectF((part.x() - origin.x()) * scaleX,
                                          (part.y() - origin.y()) * scaleY, part.width() * scaleX,
                                          part.height() * scaleY));
        }
        painter->restore();
    }
    StateFlags changedStates() const override { return {}; }
    RenderingFlags flags() const override {
        return picture_.hasAlphaChannel() ? BoundedRectRendering
                                          : BoundedRectRendering | OpaqueRendering;
    }
    QRectF rect() const override { return rect_; }

private:
    QQuickWindow* window_;
    QImage picture_;
    QRectF rect_;
};

} // namespace

QSGNode* BackdropGradient::updatePaintNode(QSGNode* old, UpdatePaintNodeData*) {
    QQuickWindow* window = this->window();
    const bool copies = fullSize_ && drawsInSoftware(window);
    if (picture_.isNull() || !window || (old && copies != copyNode_)) {
        delete old;
        old = nullptr;
        if (picture_.isNull() || !window)
            return nullptr;
    }
    copyNode_ = copies;
    if (copies) {
        auto* node = old ? static_cast<CopyNode*>(old) : new CopyNode(window);
        node->setPicture(picture_, boundingRect());
        pictureFresh_ = false;
        return node;
    }
    auto* node = static_cast<QSGImageNode*>(old);
    if (!node) {
        node = window->createImageNode();
        node->setOwnsTexture(true);
        pictureFresh_ = true;
    }
    if (pictureFresh_) {
        // Without an alpha channel the renderer copies it rather than blends it.
        node->setTexture(window->createTextureFromImage(
            picture_, picture_.hasAlphaChannel() ? QQuickWindow::TextureHasAlphaChannel
                                                 : QQuickWindow::CreateTextureOptions()));
        pictureFresh_ = false;
    }
    // Scaled up without filtering, the small opaque one costs less in every frame and looks
    // the same within two levels; the vignette alone is drawn once, into a layer.
    node->setFiltering(vignetteOnly_ ? QSGTexture::Linear : QSGTexture::Nearest);
    node->setRect(boundingRect());
    return node;
}

} // namespace orbitdeck
