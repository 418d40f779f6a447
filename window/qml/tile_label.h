#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// An application's name under its icon, drawn once into a texture: 12 points (10.5 on a compact
// tile), shrunk to fit the width down to 85 %, elided beyond that, with a shadow a point below
// under white ink. One item where a fitting Text would lay the name out several times.
class TileLabel : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged FINAL)
    Q_PROPERTY(QColor color READ color WRITE setColor NOTIFY colorChanged FINAL)
    Q_PROPERTY(bool compact READ compact WRITE setCompact NOTIFY fontChanged FINAL)
    Q_PROPERTY(QFont font READ font NOTIFY fontChanged FINAL)
    // The font size the name is drawn at after fitting (for checks).
    Q_PROPERTY(qreal fittedPointSize READ fittedPointSize NOTIFY fitted FINAL)
    Q_PROPERTY(bool elided READ elided NOTIFY fitted FINAL)

public:
    explicit TileLabel(QQuickItem* parent = nullptr);

    QString text() const { return text_; }
    void setText(const QString& text);
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    bool compact() const { return compact_; }
    void setCompact(bool compact);
    QFont font() const { return font_; }
    qreal fittedPointSize() const { return fittedPointSize_; }
    bool elided() const { return elided_; }

signals:
    void textChanged();
    void colorChanged();
    void fontChanged();
    void fitted();

protected:
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;
    void updatePolish() override;
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData* data) override;

private:
    void redraw();

    QString text_;
    QColor color_ = Qt::white;
    bool compact_ = false;
    QFont font_;
    qreal fittedPointSize_ = 0;
    bool elided_ = false;
    QImage image_;
    int margin_ = 0; // drawn above and below the item
    bool imageFresh_ = false;
    bool stale_ = true; // the image no longer shows the text, size or colour
};

} // namespace orbitdeck
