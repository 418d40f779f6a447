#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// A tile's arranging jiggle as its view plays it: one swing's duration and the delay before
// the first, in milliseconds, the tilt in degrees and the lift in points. The empty value has
// no swing: the tile stays still.
class WiggleMotion {
    Q_GADGET
    QML_VALUE_TYPE(wiggleMotion)
    Q_PROPERTY(int duration MEMBER duration FINAL)
    Q_PROPERTY(int delay MEMBER delay FINAL)
    Q_PROPERTY(double angle MEMBER angle FINAL)
    Q_PROPERTY(double lift MEMBER lift FINAL)

public:
    bool operator==(const WiggleMotion&) const = default;

    int duration = 0;
    int delay = 0;
    double angle = 0;
    double lift = 0;
};

} // namespace orbitdeck
