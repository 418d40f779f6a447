#pragma once

#include "platform/key_chord.h"

#include <QPoint>

#include <cstdint>
#include <functional>

namespace orbitdeck {

enum class GesturePhase { began, changed, ended, cancelled };

// Observes input meant for every client without taking it from them.
class GlobalInputWatch {
public:
    struct Handlers {
        // Pointer position in native screen pixels after it moved (or pushed against an edge).
        std::function<void(QPoint)> pointerMoved;
        // A key pressed anywhere, with the modifiers held (lock keys left out); no auto-repeat.
        std::function<void(std::uint32_t keysym, KeyModifiers)> keyPressed;
        // Pinch steps: magnification is the change of scale since the previous step.
        std::function<void(GesturePhase, double magnification)> pinched;
    };

    struct Channels {
        bool pointer = false;
        bool keys = false;
        bool pinch = false;

        friend bool operator==(const Channels&, const Channels&) = default;
    };

    virtual ~GlobalInputWatch() = default;

    virtual void setHandlers(Handlers handlers) = 0;
    // Starts and stops observing each kind of input; a channel the server cannot give stays off.
    virtual void setChannels(Channels channels) = 0;
    virtual Channels activeChannels() const = 0;
};

} // namespace orbitdeck
