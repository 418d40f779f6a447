#pragma once

#include <QColor>
#include <QImage>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// The backdrop's look without a picture, `pixels` in size: a vertical gradient from `top` to
// `bottom` under a radial vignette, clear within 0.35 x width of the centre and black at
// `vignette` opacity from 0.8 x width. Opaque (no alpha channel); with invalid colours, only the
// vignette on a transparent ground, to lay over a picture.
QImage drawBackdropGradient(QSize pixels, const QColor& top, const QColor& bottom, qreal vignette);

// The skin's gradient and vignette as one opaque picture. Until the first input it is drawn at a
// quarter of the size and scaled up, a sixteenth of the memory for the same smooth look. Under the
// software renderer, once `sharp` (from the first input on: pages move only then), it is drawn at
// the window's size on a worker, and the quarter shows until it is ready: the renderer then copies
// it 1:1 under moving pages and skips what lies beneath, where it would scale and blend the small
// one in every frame.
class BackdropGradient : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QColor topColor READ topColor WRITE setTopColor NOTIFY looksChanged FINAL)
    Q_PROPERTY(QColor bottomColor READ bottomColor WRITE setBottomColor NOTIFY looksChanged FINAL)
    Q_PROPERTY(qreal vignette READ vignette WRITE setVignette NOTIFY looksChanged FINAL)
    // Only the vignette, at a quarter of the size: over a picture, in a layer drawn once.
    Q_PROPERTY(bool vignetteOnly READ vignetteOnly WRITE setVignetteOnly NOTIFY looksChanged FINAL)
    // Asks for the window-sized picture: pages move only after the first input.
    Q_PROPERTY(bool sharp READ sharp WRITE setSharp NOTIFY looksChanged FINAL)
    // Whether the picture shown is the window-sized one (for checks).
    Q_PROPERTY(bool fullSize READ fullSize NOTIFY fullSizeChanged FINAL)

public:
    explicit BackdropGradient(QQuickItem* parent = nullptr);
    ~BackdropGradient() override;

    QColor topColor() const { return top_; }
    void setTopColor(const QColor& top);
    QColor bottomColor() const { return bottom_; }
    void setBottomColor(const QColor& bottom);
    qreal vignette() const { return vignette_; }
    void setVignette(qreal vignette);
    bool vignetteOnly() const { return vignetteOnly_; }
    void setVignetteOnly(bool only);
    bool sharp() const { return sharp_; }
    void setSharp(bool sharp);
    bool fullSize() const { return fullSize_; }

signals:
    void looksChanged();
    void fullSizeChanged();

protected:
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;
    void updatePolish() override;
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData* data) override;

private:
    struct Looks {
        QSize pixels;
        QColor top, bottom;
        qreal vignette = 0;
        bool vignetteOnly = false;
        bool full = false;
        bool operator==(const Looks&) const = default;
    };
    Looks wanted() const;
    void changed();
    void show(QImage picture, bool full);

    QColor top_ = Qt::black;
    QColor bottom_ = Qt::black;
    qreal vignette_ = 0;
    bool vignetteOnly_ = false;
    bool sharp_ = false;

    Looks drawn_;
    quint64 generation_ = 0;
    QImage picture_;
    bool pictureFresh_ = false;
    bool fullSize_ = false;
    bool copyNode_ = false;
};

} // namespace orbitdeck
