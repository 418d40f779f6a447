#pragma once

#include "platform/hot_key_grabber.h"
#include "window/library_hot_key.h"

#include <functional>
#include <optional>

namespace orbitdeck {

// Owns the one global shortcut of the program.
class GlobalHotKey {
public:
    enum class Registration { none, registered, refused };

    explicit GlobalHotKey(HotKeyGrabber& grabber);

    // Runs on every press of the registered combination, on the main thread.
    void setAction(std::function<void()> action);
    // Replaces the current registration; none registers nothing.
    void registerHotKey(std::optional<KeyChord> chord);

    Registration registration() const { return registration_; }
    // Whether another program holds the chord: the registered one is ours, a refused one is
    // held; any other is asked of the system without disturbing the registration.
    bool heldElsewhere(const KeyChord& chord);
    // Told whenever the registration state changes (for "not registered" in the settings).
    void setRegistrationObserver(std::function<void(Registration)> observer);

private:
    void setRegistration(Registration registration);

    HotKeyGrabber& grabber_;
    std::function<void()> action_;
    std::function<void(Registration)> observer_;
    Registration registration_ = Registration::none;
    std::optional<KeyChord> chord_;
};

} // namespace orbitdeck
