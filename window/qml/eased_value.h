#pragma once

#include <QEasingCurve>

#include <functional>

class QObject;
class QVariantAnimation;

namespace orbitdeck {

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
