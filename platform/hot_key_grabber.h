#pragma once

#include "platform/key_chord.h"

#include <functional>

namespace orbitdeck {

// A system-wide key combination taken away from every other client while it is held.
class HotKeyGrabber {
public:
    enum class GrabResult { grabbed, refused };

    virtual ~HotKeyGrabber() = default;

    // Replaces any current grab; refused when another client already holds the combination
    // (then nothing stays grabbed).
    virtual GrabResult grab(const KeyChord& chord) = 0;
    virtual void release() = 0;
    // Whether another client holds the combination now. Leaves every grab of ours as it was,
    // except one of this very combination: ask only about combinations not grabbed here.
    virtual bool heldElsewhere(const KeyChord& chord) = 0;
    // Called on the main thread once per physical press; held keys do not repeat it.
    virtual void setPressedHandler(std::function<void()> handler) = 0;
};

} // namespace orbitdeck
