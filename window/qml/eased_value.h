#pragma once

#include <QEasingCurve>

#include <functional>

class QObject;
class QVariantAnimation;

namespace orbitdeck {

// A spring of the given response (seconds) and damping fraction, moving from 0 to 1: how far it
// has gone after t seconds, how long it takes to settle within a thousandth (milliseconds), and
// that motion as an easing curve over that time, for animations that follow it.
qreal springProgress(qreal t, qreal response, qreal damping);
int springDuration(qreal response, qreal damping);
QEasingCurve springCurve(qreal response, qreal damping);

// A number that moves to its targets either at once or along an eased curve, as a QML Behavior
// would; the animation is made only at the first change that animates (most tiles never do).
class EasedValue {
public:
    explicit EasedValue(qreal value)
        : value_(value) {}

    qreal value() const { return value_; }
    qreal target() const { return target_; }
    // Stops any motion and sets the value without telling.
    void set(qreal value);
    // A zero duration jumps. `changed` runs at every step.
    void moveTo(qreal target, int durationMs, const QEasingCurve& curve, QObject* owner,
                const std::function<void()>& changed);

private:
    qreal value_;
    qreal target_ = value_;
    QVariantAnimation* animation_ = nullptr; // owned by the owner given at the first use
    std::function<void()> changed_;
};

} // namespace orbitdeck
