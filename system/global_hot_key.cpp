#include "system/global_hot_key.h"

#include "platform/main_thread.h"

namespace orbitdeck {

GlobalHotKey::GlobalHotKey(HotKeyGrabber& grabber)
    : grabber_(grabber) {
    grabber_.setPressedHandler([this] {
        ORBITDECK_ASSERT_MAIN_THREAD();
        if (action_)
            action_();
    });
}

void GlobalHotKey::setAction(std::function<void()> action) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    action_ = std::move(action);
}

void GlobalHotKey::registerHotKey(std::optional<KeyChord> chord) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    grabber_.release();
    chord_ = chord;
    if (!chord) {
        setRegistration(Registration::none);
        return;
    }
    const bool grabbed = grabber_.grab(*chord) == HotKeyGrabber::GrabResult::grabbed;
    setRegistration(grabbed ? Registration::registered : Registration::refused);
}

bool GlobalHotKey::heldElsewhere(const KeyChord& chord) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (chord_ == chord)
        return registration_ == Registration::refused;
    return grabber_.heldElsewhere(chord);
}

void GlobalHotKey::setRegistrationObserver(std::function<void(Registration)> observer) {
    observer_ = std::move(observer);
}

void GlobalHotKey::setRegistration(Registration registration) {
    if (registration == registration_)
        return;
    registration_ = registration;
    if (observer_)
        observer_(registration);
}

} // namespace orbitdeck
