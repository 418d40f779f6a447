#include "window/qml/tile_face.h"

#include "window/qml/image_node.h"
#include "window/qml/image_providers.h"
#include "window/qml/tile_label.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QQmlEngine>
#include <QQmlFile>
#include <QQuickImageProvider>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QSGTransformNode>
#include <QTimer>
#include <QtMath>

#include <map>
#include <tuple>

namespace orbitdeck {

namespace {

constexpr qreal plateRadius = 15;
constexpr qreal labelSpacing = 3;
constexpr qreal labelInset = 5;
constexpr qreal hoverScale = 1.07;
constexpr qreal hoverRise = 3;
constexpr qreal pressedScale = 0.94;
constexpr qreal pressedOpacity = 0.86;

// The press and the hover lift follow springs: made once, they serve every tile.
const QEasingCurve& pressSpring() {
    static const QEasingCurve curve = springCurve(0.22, 0.68);
    return curve;
}
const QEasingCurve& hoverSpring() {
    static const QEasingCurve curve = springCurve(0.28, 0.72);
    return curve;
}

QColor withAlpha(const QColor& color, qreal alpha) {
    QColor result = color;
    result.setAlphaF(static_cast<float>(alpha));
    return result;
}

// As a colour animation mixes: each channel, alpha included, on its own.
QColor mixed(const QColor& from, const QColor& to, qreal t) {
    const auto channel = [t](float a, float b) { return a + (b - a) * static_cast<float>(t); };
    return QColor::fromRgbF(channel(from.redF(), to.redF()), channel(from.greenF(), to.greenF()),
                            channel(from.blueF(), to.blueF()), channel(from.alphaF(), to.alphaF()));
}

// One shadow picture per size, blur and opacity, shared by every tile (main thread only). The
// opacity is in the picture: drawn through an opacity node, the software renderer blends every
// shadow on the slow path, in every frame a page moves.
const QImage& sharedShadow(int edge, qreal corner, qreal blur, qreal opacity) {
    // Every tile asks at every polish: a key of numbers, not of formatted text.
    static std::map<std::tuple<int, qreal, qreal, qreal>, QImage> shadows;
    const auto key = std::make_tuple(edge, corner, blur, opacity);
    auto found = shadows.find(key);
    if (found == shadows.end()) {
        const QImage full = roundedShadow(QSize(edge, edge), corner, blur);
        QImage faded(full.size(), QImage::Format_ARGB32_Premultiplied);
        faded.setDevicePixelRatio(full.devicePixelRatio());
        faded.fill(Qt::transparent);
        QPainter painter(&faded);
        painter.setOpacity(opacity);
        painter.drawImage(QPointF(0, 0), full);
        painter.end();
        found = shadows.emplace(key, faded).first;
    }
    return found->second;
}

// Coverage of a plate's inside and of its border ring (none without a border) for one size,
// drawn once and shared by every tile (main thread only).
struct PlateMasks {
    QImage inside, ring;
};
const PlateMasks& sharedPlateMasks(QSize pixels, qreal ratio, bool bordered) {
    static QHash<QString, PlateMasks> masks;
    const QString key = QStringLiteral("%1x%2/%3/%4")
                            .arg(pixels.width())
                            .arg(pixels.height())
                            .arg(ratio)
                            .arg(bordered);
    auto found = masks.find(key);
    if (found != masks.end())
        return *found;
    const auto mask = [&](const QPainterPath& path) {
        QImage image(pixels, QImage::Format_Alpha8);
        image.setDevicePixelRatio(ratio);
        image.fill(0);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(path, Qt::black);
        return image;
    };
    const QRectF outer(QPointF(0, 0), QSizeF(pixels) / ratio);
    const qreal border = bordered ? 1 : 0;
    QPainterPath inside;
    inside.addRoundedRect(outer.adjusted(border, border, -border, -border), plateRadius - border,
                          plateRadius - border);
    PlateMasks made{.inside = mask(inside), .ring = {}};
    if (bordered) {
        // The ring between the two outlines by the odd-even rule.
        QPainterPath ring;
        ring.setFillRule(Qt::OddEvenFill);
        ring.addRoundedRect(outer, plateRadius, plateRadius);
        ring.addPath(inside);
        made.ring = mask(ring);
    }
    return *masks.insert(key, made);
}

QRgb scaled(QRgb premultiplied, int coverage) {
    const auto channel = [coverage](int value) { return (value * coverage + 127) / 255; };
    return qRgba(channel(qRed(premultiplied)), channel(qGreen(premultiplied)),
                 channel(qBlue(premultiplied)), channel(qAlpha(premultiplied)));
}

QRgb over(QRgb top, QRgb below) {
    const int rest = 255 - qAlpha(top);
    const auto channel = [rest](int a, int b) { return a + (b * rest + 127) / 255; };
    return qRgba(channel(qRed(top), qRed(below)), channel(qGreen(top), qGreen(below)),
                 channel(qBlue(top), qBlue(below)), channel(qAlpha(top), qAlpha(below)));
}

// The plate: its fill over the inside, the border (when valid) over the ring. Mixed from shared
// masks in a plain loop: painting the outlines anew in every frame of a fade costs several
// times more, most of it in waking Qt's fill threads for a picture this small.
QImage drawPlate(QSize pixels, qreal ratio, const QColor& fill, const QColor& border) {
    const PlateMasks& masks = sharedPlateMasks(pixels, ratio, border.isValid());
    QImage plate(pixels, QImage::Format_ARGB32_Premultiplied);
    plate.setDevicePixelRatio(ratio);
    const QRgb fillColour = qPremultiply(fill.rgba());
    const QRgb borderColour = border.isValid() ? qPremultiply(border.rgba()) : 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const uchar* inside = masks.inside.constScanLine(y);
        const uchar* ring = masks.ring.isNull() ? nullptr : masks.ring.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(plate.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            out[x] = scaled(fillColour, inside[x]);
            if (ring != nullptr && ring[x] != 0)
                out[x] = over(scaled(borderColour, ring[x]), out[x]);
        }
    }
    return plate;
}

// How long the polish of one frame waits for icons being read, in all: normal icons are read well
// within it, so the first frame shows them; a slower one shows the stand-in and arrives in a later
// frame, so one hostile icon file never holds the grid back.
constexpr int iconWaitPerFrameMs = 200;

QDeadlineTimer frameIconDeadline() {
    static QDeadlineTimer deadline;
    static bool counting = false;
    if (!counting) {
        counting = true;
        deadline = QDeadlineTimer(iconWaitPerFrameMs);
        // The frame's items are polished in one pass of the event loop; the next pass starts anew.
        QTimer::singleShot(0, [] { counting = false; });
    }
    return deadline;
}

// Lets `update` refresh the holder's node in place, not taken out and put back each frame; a node
// it deletes leaves the holder by itself.
void refreshChild(QSGNode* holder, const std::function<QSGImageNode*(QSGImageNode*)>& update) {
    auto* old = static_cast<QSGImageNode*>(holder->firstChild());
    QSGImageNode* node = update(old);
    if (node != nullptr && node != old)
        holder->appendChildNode(node);
}

} // namespace

TileFace::TileFace(QQuickItem* parent)
    : QQuickItem(parent)
    , label_(new TileLabel(this)) {
    setFlag(ItemHasContents);
    label_->setObjectName(QStringLiteral("application-label"));
    connect(label_, &TileLabel::textChanged, this, &TileFace::nameChanged);
    connect(label_, &QQuickItem::implicitHeightChanged, this, &TileFace::layout);
    layout();
}

QString TileFace::name() const {
    return label_->text();
}

void TileFace::setName(const QString& name) {
    label_->setText(name);
}

void TileFace::setIconSource(const QUrl& source) {
    if (iconSource_ == source)
        return;
    iconSource_ = source;
    iconWanted_ = true;
    prefetchIcon();
    polish();
    emit iconSourceChanged();
}

void TileFace::setIconSize(qreal size) {
    if (iconSize_ == size)
        return;
    iconSize_ = size;
    iconWanted_ = true;
    prefetchIcon();
    layout();
    emit iconSizeChanged();
}

void TileFace::setShowsLabel(bool shows) {
    if (showsLabel_ == shows)
        return;
    showsLabel_ = shows;
    layout();
    emit showsLabelChanged();
}

bool TileFace::compact() const {
    return label_->compact();
}

void TileFace::setCompact(bool compact) {
    if (label_->compact() == compact)
        return;
    label_->setCompact(compact);
    emit compactChanged();
}

void TileFace::setInk(const QColor& ink) {
    if (ink_ == ink)
        return;
    ink_ = ink;
    label_->setColor(ink);
    plateChanged();
    emit inkChanged();
}

void TileFace::setAccent(const QColor& accent) {
    if (accent_ == accent)
        return;
    accent_ = accent;
    plateChanged();
    emit accentChanged();
}

void TileFace::setHighlighted(bool highlighted) {
    if (highlighted_ == highlighted)
        return;
    highlighted_ = highlighted;
    plateChanged();
    emit highlightedChanged();
}

void TileFace::setHovered(bool hovered) {
    if (hovered_ == hovered)
        return;
    hovered_ = hovered;
    plateChanged();
    emit hoveredChanged();
}

void TileFace::setPressed(bool pressed) {
    if (pressed_ == pressed)
        return;
    pressed_ = pressed;
    setOpacity(pressed ? pressedOpacity : 1);
    press_.moveTo(pressed && pressAnimates_ ? pressedScale : 1,
                  pressAnimates_ ? springDuration(0.22, 0.68) : 0, pressSpring(), this,
                  [this] { setScale(press_.value()); });
    emit pressedChanged();
}

void TileFace::setLifts(bool lifts) {
    if (lifts_ == lifts)
        return;
    lifts_ = lifts;
    lift_.moveTo(lifts ? hoverScale : 1,
                 animates_ && isComponentComplete() ? springDuration(0.28, 0.72) : 0, hoverSpring(),
                 this, [this] {
                     update();
                     emit iconMoved();
                 });
    update();
    emit liftsChanged();
}

void TileFace::setAnimates(bool animates) {
    if (animates_ == animates)
        return;
    animates_ = animates;
    emit animatesChanged();
}

void TileFace::setPressAnimates(bool animates) {
    if (pressAnimates_ == animates)
        return;
    pressAnimates_ = animates;
    emit pressAnimatesChanged();
}

TileFace::Plate TileFace::plateFor(bool highlighted, bool hovered) const {
    if (highlighted)
        return {.fill = withAlpha(accent_, 0.17), .border = withAlpha(accent_, 0.4)};
    if (hovered)
        return {.fill = withAlpha(ink_, 0.09), .border = withAlpha(ink_, 0.14)};
    return {.fill = QColor(Qt::transparent), .border = QColor()};
}

void TileFace::plateChanged() {
    const QColor target = plateFor(highlighted_, hovered_).fill;
    const QColor shown = mixed(fillFrom_, fillTarget_, fillMix_.value());
    fillTarget_ = target;
    plateWanted_ = true;
    polish();
    if (shown == target || !animates_ || !isComponentComplete()) {
        fillFrom_ = target;
        fillMix_.set(1);
        return;
    }
    fillFrom_ = shown;
    fillMix_.set(0);
    fillMix_.moveTo(1, 200, QEasingCurve::Linear, this, [this] {
        plateWanted_ = true;
        polish();
    });
}

void TileFace::layout() {
    const qreal labelHeight = label_->implicitHeight();
    const qreal stack = iconSize_ + (showsLabel_ ? labelSpacing + labelHeight : 0);
    const qreal top = qRound((height() - stack) / 2);
    iconRect_ = QRectF(qRound((width() - iconSize_) / 2), top, iconSize_, iconSize_);
    label_->setVisible(showsLabel_);
    label_->setPosition(QPointF(labelInset, top + iconSize_ + labelSpacing));
    label_->setSize(QSizeF(std::max(width() - 2 * labelInset, 0.0), labelHeight));
    plateWanted_ = true;
    polish();
}

void TileFace::geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) {
    QQuickItem::geometryChange(newGeometry, oldGeometry);
    if (newGeometry.size() != oldGeometry.size())
        layout();
}

void TileFace::itemChange(ItemChange change, const ItemChangeData& value) {
    QQuickItem::itemChange(change, value);
    if (change == ItemDevicePixelRatioHasChanged || change == ItemSceneChange) {
        iconWanted_ = plateWanted_ = true;
        prefetchIcon();
        polish();
    }
}

void TileFace::componentComplete() {
    QQuickItem::componentComplete();
    prefetchIcon();
}

QQmlImageProviderBase* TileFace::iconProvider(QString* id) const {
    if (iconSource_.scheme() != QLatin1String("image"))
        return nullptr;
    QQmlEngine* engine = qmlEngine(this);
    QQmlImageProviderBase* provider = engine ? engine->imageProvider(iconSource_.host()) : nullptr;
    if (provider)
        *id = iconSource_.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1);
    return provider;
}

int TileFace::iconEdge(qreal ratio) const {
    return qCeil(iconSize_ * ratio);
}

void TileFace::prefetchIcon() {
    // Before completion the size may still be on its way; without a window the ratio is unknown.
    if (!isComponentComplete() || !window() || iconSource_.isEmpty())
        return;
    const int edge = iconEdge(window()->effectiveDevicePixelRatio());
    QString id;
    if (auto* provider = dynamic_cast<PrefetchingImageProvider*>(iconProvider(&id));
        provider && edge > 0)
        provider->prefetch(id, QSize(edge, edge));
}

QImage TileFace::loadIcon(qreal ratio) {
    const int edge = iconEdge(ratio);
    if (iconSource_.isEmpty() || edge <= 0)
        return {};
    QImage image;
    if (iconSource_.scheme() == QLatin1String("image")) {
        QString id;
        QQmlImageProviderBase* base = iconProvider(&id);
        if (auto* icons = dynamic_cast<PrefetchingImageProvider*>(base)) {
            // An icon still being read arrives later; meanwhile the tile shows the stand-in.
            auto ready = [face = QPointer<TileFace>(this)] {
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(),
                    [face] {
                        if (face) {
                            face->iconWanted_ = true;
                            face->polish();
                        }
                    },
                    Qt::QueuedConnection);
            };
            // A tile off screen (a page filling beside the shown one) does not hold the frame up
            // for its icon: the stand-in shows there until the icon is read.
            const QQuickWindow* shown = window();
            const bool onScreen =
                shown && mapRectToScene(boundingRect())
                             .intersects(QRectF(QPointF(0, 0), QSizeF(shown->size())));
            image = icons
                        ->readyImage(id, QSize(edge, edge),
                                     onScreen ? frameIconDeadline() : QDeadlineTimer(0), ready)
                        .value_or(icons->placeholder(QSize(edge, edge)));
        } else if (auto* provider = dynamic_cast<QQuickImageProvider*>(base);
                   provider && provider->imageType() == QQmlImageProviderBase::Image) {
            QSize size;
            image = provider->requestImage(id, &size, QSize(edge, edge));
        }
    } else {
        image = QImage(QQmlFile::urlToLocalFileOrQrc(iconSource_));
    }
    if (!image.isNull() && (image.width() > edge || image.height() > edge))
        image = image.scaled(edge, edge, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return image;
}

void TileFace::updatePolish() {
    const qreal ratio = window() ? window()->effectiveDevicePixelRatio() : 1.0;
    if (iconWanted_) {
        icon_ = loadIcon(ratio);
        iconFresh_ = true;
        iconWanted_ = false;
    }
    // The soft shadow under the icon: larger, lower and darker while hovered.
    const qreal glow = hovered_ ? 10 : 4;
    const qreal plate = iconSize_ * 0.8;
    const qreal edge = plate + 2 * glow;
    const qreal corner = std::round(plate * 0.22 * 10) / 10;
    const QImage& shadow = sharedShadow(qCeil(edge), corner, glow, hovered_ ? 0.26 : 0.12);
    if (shadow.cacheKey() != shadow_.cacheKey()) {
        shadow_ = shadow;
        shadowFresh_ = true;
    }
    // Drawn at the picture's own size, a fraction of a point larger than asked: scaled by a
    // fraction, it would be filtered in every frame the tile moves.
    const QPointF centre = iconRect_.center() + QPointF(0, hovered_ ? 5 : 2);
    shadowRect_ = QRectF(QPointF(0, 0), shadow_.deviceIndependentSize());
    shadowRect_.moveCenter(centre);
    // The icon likewise, when it came at the edge asked for (one of another size is scaled).
    const int iconPixels = iconEdge(ratio);
    iconDrawRect_ = iconRect_;
    if (icon_.size() == QSize(iconPixels, iconPixels)) {
        iconDrawRect_.setSize(QSizeF(iconPixels, iconPixels) / ratio);
        iconDrawRect_.moveCenter(iconRect_.center());
    }

    if (plateWanted_) {
        plateWanted_ = false;
        plateFresh_ = true;
        const Plate looks = plateFor(highlighted_, hovered_);
        const QColor fill = mixed(fillFrom_, fillTarget_, fillMix_.value());
        const bool bordered = looks.border.isValid();
        if (fill.alpha() == 0 && !bordered) {
            plate_ = QImage();
        } else {
            plate_ = drawPlate((size() * ratio).toSize(), ratio, fill, looks.border);
        }
    }
    update();
}

QSGNode* TileFace::updatePaintNode(QSGNode* old, UpdatePaintNodeData*) {
    // root: [plate holder, lift transform: [shadow holder, icon holder]]
    // Holders are identity transforms, not plain nodes: the software renderer places what changes
    // below a node by its parent's recorded state, which it keeps for transforms but not for
    // plain nodes, and would draw the tile at the window's corner.
    QSGNode* root = old;
    if (!root) {
        root = new QSGTransformNode;
        root->appendChildNode(new QSGTransformNode);
        auto* lift = new QSGTransformNode;
        lift->appendChildNode(new QSGTransformNode);
        lift->appendChildNode(new QSGTransformNode);
        root->appendChildNode(lift);
    }
    QQuickWindow* window = this->window();
    // The plate is the tile's height: moved by a fraction or tilted, it would go over the pool.
    updateBandedImageNodes(window, root->firstChild(), plate_, plateFresh_,
                           QRectF(QPointF(0, 0), size()));
    auto* lift = static_cast<QSGTransformNode*>(root->lastChild());
    const QPointF centre = iconRect_.center();
    QMatrix4x4 matrix;
    matrix.translate(static_cast<float>(centre.x()),
                     static_cast<float>(centre.y() - (lifts_ ? hoverRise : 0)));
    matrix.scale(static_cast<float>(lift_.value()));
    matrix.translate(static_cast<float>(-centre.x()), static_cast<float>(-centre.y()));
    lift->setMatrix(matrix);
    refreshChild(lift->firstChild(), [&](QSGImageNode* node) {
        return updateImageNode(window, node, shadow_, shadowFresh_, shadowRect_);
    });
    refreshChild(lift->lastChild(), [&](QSGImageNode* node) {
        return updateImageNode(window, node, icon_, iconFresh_, iconDrawRect_);
    });
    plateFresh_ = shadowFresh_ = iconFresh_ = false;
    return root;
}

} // namespace orbitdeck
