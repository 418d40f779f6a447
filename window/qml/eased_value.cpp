#include "window/qml/eased_value.h"

#include <QPointF>
#include <QVariantAnimation>

#include <cmath>

namespace orbitdeck {

qreal springProgress(qreal t, qreal response, qreal damping) {
    if (t <= 0 || response <= 0)
        return t <= 0 ? 0 : 1;
    const qreal omega = 2 * M_PI / response;
    if (damping >= 1)
        return 1 - std::exp(-omega * t) * (1 + omega * t);
    const qreal decay = damping * omega;
    const qreal ringing = omega * std::sqrt(1 - damping * damping);
    return 1 -
           std::exp(-decay * t) * (std::cos(ringing * t) + decay / ringing * std::sin(ringing * t));
}

int springDuration(qreal response, qreal damping) {
    if (response <= 0)
        return 0;
    const qreal omega = 2 * M_PI / response;
    // The envelope bounds every later swing, so the first time it is within the tolerance
    // the spring stays there.
    const auto envelope = [&](qreal t) {
        if (damping >= 1)
            return std::exp(-omega * t) * (1 + omega * t);
        return std::exp(-damping * omega * t) / std::sqrt(1 - damping * damping);
    };
    int ms = 1;
    while (ms < 5000 && envelope(ms / 1000.0) > 1e-3)
        ++ms;
    return ms;
}

QEasingCurve springCurve(qreal response, qreal damping) {
    // Qt's Bézier easing breaks with more than ten segments; spaced closer where the spring
    // moves fast, ten follow it within a percent.
    constexpr int segments = 10;
    const auto knot = [](int i) { return std::pow(qreal(i) / segments, 1.6); };
    const qreal duration = springDuration(response, damping) / 1000.0;
    QEasingCurve curve(QEasingCurve::BezierSpline);
    if (duration <= 0) {
        curve.addCubicBezierSegment({1.0 / 3, 1.0 / 3}, {2.0 / 3, 2.0 / 3}, {1, 1});
        return curve;
    }
    const auto value = [&](qreal u) { return springProgress(u * duration, response, damping); };
    // The slope over normalised time, from the neighbours.
    const auto slope = [&](qreal u) {
        constexpr qreal h = 1e-4;
        return (value(u + h) - value(std::max(u - h, 0.0))) / (u + h - std::max(u - h, 0.0));
    };
    // Cubic Hermite pieces through the spring's samples, written as Bézier control points.
    for (int i = 0; i < segments; ++i) {
        const qreal u0 = knot(i);
        const qreal u1 = knot(i + 1);
        const qreal third = (u1 - u0) / 3;
        const bool last = i == segments - 1;
        const qreal y0 = value(u0);
        const qreal y1 = last ? 1.0 : value(u1);
        curve.addCubicBezierSegment({u0 + third, y0 + slope(u0) * third},
                                    {u1 - third, y1 - (last ? 0.0 : slope(u1)) * third}, {u1, y1});
    }
    return curve;
}

void EasedValue::set(qreal value) {
    if (animation_)
        animation_->stop();
    value_ = target_ = value;
}

void EasedValue::moveTo(qreal target, int durationMs, const QEasingCurve& curve, QObject* owner,
                        const std::function<void()>& changed) {
    target_ = target;
    changed_ = changed;
    if (durationMs <= 0 || value_ == target) {
        if (animation_)
            animation_->stop();
        if (value_ != target) {
            value_ = target;
            changed_();
        }
        return;
    }
    if (!animation_) {
        animation_ = new QVariantAnimation(owner);
        QObject::connect(animation_, &QVariantAnimation::valueChanged, owner,
                         [this](const QVariant& value) {
                             value_ = value.toReal();
                             changed_();
                         });
    }
    animation_->stop();
    animation_->setStartValue(value_);
    animation_->setEndValue(target);
    animation_->setDuration(durationMs);
    animation_->setEasingCurve(curve);
    animation_->start();
}

} // namespace orbitdeck
