#pragma once

#include "window/qml/eased_value.h"

#include <QColor>
#include <QImage>
#include <QQuickItem>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QQmlImageProviderBase;

namespace orbitdeck {

class TileLabel;

// The face of an application tile as one item: the hover or highlight plate, the icon with its
// soft shadow (lifted while hovered), the name (a TileLabel child named "application-label")
// and the pressed look (dimmed, shrunk). Drawn as a few textured nodes where the same face in
// QML takes a dozen items and their bindings per tile.
class TileFace : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY nameChanged FINAL)
    Q_PROPERTY(QUrl iconSource READ iconSource WRITE setIconSource NOTIFY iconSourceChanged FINAL)
    Q_PROPERTY(qreal iconSize READ iconSize WRITE setIconSize NOTIFY iconSizeChanged FINAL)
    Q_PROPERTY(bool showsLabel READ showsLabel WRITE setShowsLabel NOTIFY showsLabelChanged FINAL)
    Q_PROPERTY(bool compact READ compact WRITE setCompact NOTIFY compactChanged FINAL)
    Q_PROPERTY(QColor ink READ ink WRITE setInk NOTIFY inkChanged FINAL)
    Q_PROPERTY(QColor accent READ accent WRITE setAccent NOTIFY accentChanged FINAL)
    Q_PROPERTY(
        bool highlighted READ highlighted WRITE setHighlighted NOTIFY highlightedChanged FINAL)
    Q_PROPERTY(bool hovered READ hovered WRITE setHovered NOTIFY hoveredChanged FINAL)
    Q_PROPERTY(bool pressed READ pressed WRITE setPressed NOTIFY pressedChanged FINAL)
    // Hovering lifts the icon (fluid effects only); `animates` eases the plate and the lift,
    // `pressAnimates` the press.
    Q_PROPERTY(bool lifts READ lifts WRITE setLifts NOTIFY liftsChanged FINAL)
    Q_PROPERTY(bool animates READ animates WRITE setAnimates NOTIFY animatesChanged FINAL)
    Q_PROPERTY(bool pressAnimates READ pressAnimates WRITE setPressAnimates NOTIFY
                   pressAnimatesChanged FINAL)
    Q_PROPERTY(qreal iconScale READ iconScale NOTIFY iconMoved FINAL)

public:
    explicit TileFace(QQuickItem* parent = nullptr);

    QString name() const;
    void setName(const QString& name);
    QUrl iconSource() const { return iconSource_; }
    void setIconSource(const QUrl& source);
    qreal iconSize() const { return iconSize_; }
    void setIconSize(qreal size);
    bool showsLabel() const { return showsLabel_; }
    void setShowsLabel(bool shows);
    bool compact() const;
    void setCompact(bool compact);
    QColor ink() const { return ink_; }
    void setInk(const QColor& ink);
    QColor accent() const { return accent_; }
    void setAccent(const QColor& accent);
    bool highlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);
    bool hovered() const { return hovered_; }
    void setHovered(bool hovered);
    bool pressed() const { return pressed_; }
    void setPressed(bool pressed);
    bool lifts() const { return lifts_; }
    void setLifts(bool lifts);
    bool animates() const { return animates_; }
    void setAnimates(bool animates);
    bool pressAnimates() const { return pressAnimates_; }
    void setPressAnimates(bool animates);
    qreal iconScale() const { return lift_.value(); }

signals:
    void nameChanged();
    void iconSourceChanged();
    // One signal a property: the tile binds some of them to others (lifting on hover), and a
    // shared signal would re-run those bindings from their own writes.
    void iconSizeChanged();
    void showsLabelChanged();
    void compactChanged();
    void inkChanged();
    void accentChanged();
    void highlightedChanged();
    void hoveredChanged();
    void pressedChanged();
    void liftsChanged();
    void animatesChanged();
    void pressAnimatesChanged();
    void iconMoved();

protected:
    void componentComplete() override;
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData& value) override;
    void updatePolish() override;
    QSGNode* updatePaintNode(QSGNode* old, UpdatePaintNodeData* data) override;

private:
    struct Plate {
        QColor fill;
        QColor border; // invalid for none
    };
    Plate plateFor(bool highlighted, bool hovered) const;
    void plateChanged();
    void layout();
    // The icon's provider and its id when it comes from an image provider, else null.
    QQmlImageProviderBase* iconProvider(QString* id) const;
    int iconEdge(qreal ratio) const;
    // Starts decoding the icon off the main thread once its source, size and window are known,
    // so that the polish before the tile's first frame finds it ready.
    void prefetchIcon();
    // The icon, or a stand-in while it is still being read (the tile polishes again once it is).
    QImage loadIcon(qreal ratio);

    TileLabel* label_;
    QUrl iconSource_;
    qreal iconSize_ = 62;
    bool showsLabel_ = true;
    QColor ink_ = Qt::white;
    QColor accent_;
    bool highlighted_ = false;
    bool hovered_ = false;
    bool pressed_ = false;
    bool lifts_ = false;
    bool animates_ = true;
    bool pressAnimates_ = true;

    // The plate's fill eases from `fillFrom_` to its target; its border follows at once.
    QColor fillFrom_ = Qt::transparent;
    QColor fillTarget_ = Qt::transparent;
    EasedValue fillMix_{1};
    EasedValue lift_{1};
    EasedValue press_{1};

    // Drawn on the main thread at polish, uploaded at the next sync.
    QImage icon_, shadow_, plate_;
    bool iconFresh_ = false, shadowFresh_ = false, plateFresh_ = false;
    bool iconWanted_ = true, plateWanted_ = true;
    QRectF iconRect_, iconDrawRect_, shadowRect_;
};

} // namespace orbitdeck
