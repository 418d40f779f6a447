#include "platform/x11_hot_key_grabber.h"

#include "platform/main_thread.h"
#include "platform/x11_support.h"

#include <QCoreApplication>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>

namespace orbitdeck {

X11HotKeyGrabber::X11HotKeyGrabber() {
    if (const auto x = x11::qtConnection()) {
        connection_ = x->connection;
        root_ = x->root;
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

X11HotKeyGrabber::~X11HotKeyGrabber() {
    release();
    if (connection_ != nullptr && QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void X11HotKeyGrabber::setPressedHandler(std::function<void()> handler) {
    pressed_ = std::move(handler);
}

HotKeyGrabber::GrabResult X11HotKeyGrabber::grab(const KeyChord& chord) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    release();
    if (connection_ == nullptr)
        return GrabResult::refused;
    auto [granted, refused] = grabVariants(chord);
    // Another client holding any variant (BadAccess) means the combination is not ours.
    if (refused || granted.empty()) {
        ungrab(granted);
        return GrabResult::refused;
    }
    chordMask_ = x11::modifierMask(chord.modifiers);
    ignoredMask_ = x11::capsLockMask | x11::numLockMask(connection_);
    grabs_ = std::move(granted);
    repeat_ = {};
    return GrabResult::grabbed;
}

bool X11HotKeyGrabber::heldElsewhere(const KeyChord& chord) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (connection_ == nullptr)
        return true;
    auto [granted, refused] = grabVariants(chord);
    ungrab(granted);
    return refused || granted.empty();
}

std::pair<std::vector<X11HotKeyGrabber::Grab>, bool>
X11HotKeyGrabber::grabVariants(const KeyChord& chord) {
    const std::vector<std::uint8_t> keycodes = x11::keycodesFor(connection_, chord.keysym);
    const std::uint16_t mask = x11::modifierMask(chord.modifiers);
    const std::uint16_t numLock = x11::numLockMask(connection_);
    std::vector<std::uint16_t> variants{0, x11::capsLockMask};
    if (numLock != 0) {
        variants.push_back(numLock);
        variants.push_back(x11::capsLockMask | numLock);
    }

    std::vector<std::pair<Grab, xcb_void_cookie_t>> requests;
    for (const std::uint8_t keycode : keycodes) {
        for (const std::uint16_t variant : variants) {
            const Grab wanted{.keycode = keycode,
                              .modifiers = static_cast<std::uint16_t>(mask | variant)};
            // owner_events off: while the grab is active the press and its release come on the
            // root window even when one of our windows has the focus, so the release is seen
            // and the space never reaches the search field.
            requests.emplace_back(
                wanted, xcb_grab_key_checked(connection_, 0, root_, wanted.modifiers, keycode,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    std::vector<Grab> granted;
    bool refused = false;
    for (const auto& [wanted, cookie] : requests) {
        if (xcb_generic_error_t* error = xcb_request_check(connection_, cookie)) {
            refused = true;
            std::free(error);
        } else {
            granted.push_back(wanted);
        }
    }
    return {std::move(granted), refused};
}

void X11HotKeyGrabber::release() {
    if (connection_ == nullptr || grabs_.empty())
        return;
    ungrab(grabs_);
    grabs_.clear();
}

void X11HotKeyGrabber::ungrab(const std::vector<Grab>& grabs) {
    if (grabs.empty())
        return;
    for (const Grab& grab : grabs)
        xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers);
    xcb_flush(connection_);
}

bool X11HotKeyGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (grabs_.empty() || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7f;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    const auto* key = reinterpret_cast<const xcb_key_press_event_t*>(event);
    const bool ourKey = key->event == root_ && std::ranges::any_of(grabs_, [key](const Grab& g) {
                            return g.keycode == key->detail;
                        });
    if (!ourKey)
        return false;
    // The modifiers may be let go first, so any release of the key ends the press.
    if (type == XCB_KEY_RELEASE) {
        repeat_.release(key->time);
        return true;
    }
    if ((key->state & ~ignoredMask_ & 0xff) != chordMask_)
        return false;
    if (repeat_.press(key->time) && pressed_) {
        ORBITDECK_ASSERT_MAIN_THREAD();
        pressed_();
    }
    return true;
}

} // namespace orbitdeck
