#pragma once

#include "platform/hot_key_grabber.h"
#include "platform/key_repeat_filter.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <utility>
#include <vector>

struct xcb_connection_t;

namespace orbitdeck {

// Grabs a key combination on the root window through Qt's own X connection, in every lock-key
// variant (Caps Lock, Num Lock), and reports each physical press once.
class X11HotKeyGrabber final : public HotKeyGrabber, private QAbstractNativeEventFilter {
public:
    X11HotKeyGrabber();
    ~X11HotKeyGrabber() override;
    X11HotKeyGrabber(const X11HotKeyGrabber&) = delete;
    X11HotKeyGrabber& operator=(const X11HotKeyGrabber&) = delete;

    // Without an X connection every grab is refused.
    GrabResult grab(const KeyChord& chord) override;
    void release() override;
    // Without an X connection every combination counts as held.
    bool heldElsewhere(const KeyChord& chord) override;
    void setPressedHandler(std::function<void()> handler) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    struct Grab {
        std::uint8_t keycode;
        std::uint16_t modifiers;
    };
    // Grabs every lock-key variant of the chord; returns those granted and whether any was
    // refused because another client holds it.
    std::pair<std::vector<Grab>, bool> grabVariants(const KeyChord& chord);
    void ungrab(const std::vector<Grab>& grabs);

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint16_t chordMask_ = 0;
    std::uint16_t ignoredMask_ = 0; // lock bits a press may carry
    std::vector<Grab> grabs_;
    std::function<void()> pressed_;
    KeyRepeatFilter repeat_;
};

} // namespace orbitdeck
