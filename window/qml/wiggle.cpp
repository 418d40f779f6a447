#include "window/qml/wiggle.h"

#include "window/qml/image_node.h"

#include <QEasingCurve>
#include <QMatrix4x4>
#include <QPauseAnimation>
#include <QSequentialAnimationGroup>
#include <QVariantAnimation>

#include <cmath>

namespace orbitdeck {

namespace {

QVariantAnimation* swingTo(qreal from, qreal to, int duration, QAnimationGroup* group) {
    // Ease in and out, as the platform's default curve (0.42, 0) (0.58, 1).
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
    auto* half = new QVariantAnimation(group);
    half->setStartValue(from);
    half->setEndValue(to);
    half->setDuration(duration);
    half->setEasingCurve(curve);
    group->addAnimation(half);
    return half;
}

} // namespace

WiggleTurn::WiggleTurn(QQuickItem* item)
    : QQuickTransform(item)
    , item_(item) {
    appendToItem(item);
}

void WiggleTurn::set(qreal angle, qreal lift) {
    if (angle == angle_ && lift == lift_)
        return;
    angle_ = angle;
    lift_ = lift;
    update();
}

void WiggleTurn::applyTo(QMatrix4x4* matrix) const {
    if (angle_ == 0 && lift_ == 0)
        return;
    const auto centreX = static_cast<float>(item_->width() / 2);
    const auto centreY = static_cast<float>(item_->height() / 2);
    matrix->translate(0, static_cast<float>(lift_));
    matrix->translate(centreX, centreY);
    matrix->rotate(static_cast<float>(angle_), 0, 0, 1);
    matrix->translate(-centreX, -centreY);
}

Wiggle::Wiggle(QQuickItem* parent)
    : QQuickItem(parent) {}

Wiggle::~Wiggle() = default;

void Wiggle::setActive(bool active) {
    if (active_ == active)
        return;
    const bool was = swinging();
    active_ = active;
    emit activeChanged();
    follow(was);
}

void Wiggle::setTiming(const WiggleMotion& timing) {
    if (timing_ == timing)
        return;
    const bool was = swinging();
    timing_ = timing;
    emit timingChanged();
    // A new timing while swinging takes effect from a fresh start.
    if (was && swinging() && isComponentComplete())
        swing_.reset();
    follow(was);
}

void Wiggle::componentComplete() {
    QQuickItem::componentComplete();
    follow(false);
}

void Wiggle::follow(bool wasSwinging) {
    if (!isComponentComplete())
        return;
    const bool now = swinging();
    if (now != wasSwinging)
        emit swingingChanged();
    if (!now) {
        // Levelled at once, mid-swing or not.
        swing_.reset();
        delete std::exchange(turn_, nullptr);
        return;
    }
    if (swing_)
        return;
    if (!turn_)
        turn_ = new WiggleTurn(this);
    // Starts tilted back, holds there for the delay, then swings forth and back forever.
    swing_ = std::make_unique<QSequentialAnimationGroup>();
    swing_->addPause(timing_.delay);
    auto* swings = new QSequentialAnimationGroup(swing_.get());
    swings->setLoopCount(-1);
    swing_->addAnimation(swings);
    for (QVariantAnimation* half :
         {swingTo(-1, 1, timing_.duration, swings), swingTo(1, -1, timing_.duration, swings)})
        connect(half, &QVariantAnimation::valueChanged, this,
                [this](const QVariant& phase) { showPhase(phase.toReal()); });
    showPhase(-1);
    swing_->start();
}

void Wiggle::showPhase(qreal phase) {
    const qreal shown = drawsInSoftware(window()) ? std::round(phase * 2) / 2 : phase;
    if (turn_)
        turn_->set(shown * timing_.angle, -shown * timing_.lift);
}

} // namespace orbitdeck
