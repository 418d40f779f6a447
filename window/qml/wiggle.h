#pragma once

#include "window/wiggle_motion.h"

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

#include <memory>

class QSequentialAnimationGroup;

namespace orbitdeck {

// A jiggling item's tilt about its centre, then its lift: one transform where two QML ones
// would be.
class WiggleTurn : public QQuickTransform {
    Q_OBJECT
    // For checks: the tilt in degrees and the lift in points as shown now.
    Q_PROPERTY(qreal angle READ angle FINAL)
    Q_PROPERTY(qreal lift READ lift FINAL)

public:
    explicit WiggleTurn(QQuickItem* item);

    qreal angle() const { return angle_; }
    qreal lift() const { return lift_; }
    void set(qreal angle, qreal lift);
    void applyTo(QMatrix4x4* matrix) const override;

private:
    QQuickItem* item_;
    qreal angle_ = 0;
    qreal lift_ = 0;
};

// The arranging jiggle: the item tilts and lifts one way, then swings to the other side and back
// for as long as it is active. Its motion comes from the live drag (LiveDrag.wiggleTiming): a
// swing's duration and the delay before the first one differ per tile, so the grid does not
// move in lockstep. Without a timing the item stays still. Every tile has one and most never
// jiggle: the swing and its transform are made at the first one.
class Wiggle : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged FINAL)
    Q_PROPERTY(
        orbitdeck::WiggleMotion timing READ timing WRITE setTiming NOTIFY timingChanged FINAL)
    Q_PROPERTY(bool swinging READ swinging NOTIFY swingingChanged FINAL)

public:
    explicit Wiggle(QQuickItem* parent = nullptr);
    ~Wiggle() override;

    bool active() const { return active_; }
    void setActive(bool active);
    WiggleMotion timing() const { return timing_; }
    void setTiming(const WiggleMotion& timing);
    bool swinging() const { return active_ && timing_.duration > 0; }

signals:
    void activeChanged();
    void timingChanged();
    void swingingChanged();

protected:
    void componentComplete() override;

private:
    // Starts, restarts or stops the swing after a change of `active` or the timing.
    void follow(bool wasSwinging);
    // The swing's phase, -1 (tilted back and lifted) to 1; under the software renderer the tilt
    // takes five steps of it, as it resamples a tilted tile's pictures whole in every frame it
    // changes.
    void showPhase(qreal phase);

    bool active_ = false;
    WiggleMotion timing_;
    std::unique_ptr<QSequentialAnimationGroup> swing_;
    WiggleTurn* turn_ = nullptr; // owned by this item while it swings
};

} // namespace orbitdeck
