#pragma once

#include "platform/global_input_watch.h"

#include <QObject>

#include <cstdint>
#include <map>

struct xcb_connection_t;
class QSocketNotifier;

namespace orbitdeck {

// Watches pointer motion, key presses and pinch gestures of every client through XInput 2 raw
// and gesture events on a connection of its own, so nothing is grabbed and Qt's event stream is
// left alone. Raw events reach every client that selects them, whoever holds the focus.
class X11InputWatch final : public QObject, public GlobalInputWatch {
public:
    explicit X11InputWatch(QObject* parent = nullptr);
    ~X11InputWatch() override;

    // False when there is no X server or it lacks XInput 2.1.
    bool available() const { return xiMinor_ >= 1; }
    bool supportsPinch() const { return xiMinor_ >= 4; }

    void setHandlers(Handlers handlers) override;
    void setChannels(Channels channels) override;
    Channels activeChannels() const override { return active_; }

    // Handles every event that has arrived; runs by itself when the connection is readable.
    void drain();

private:
    bool select();
    void handle(const void* event);
    void handleInputEvent(const void* event);
    void reportPointer();
    void refreshKeyboardMapping();
    KeyModifiers heldModifiers() const;

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint8_t xiOpcode_ = 0;
    int xiMinor_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    struct KeySymbols;
    KeySymbols* symbols_ = nullptr;
    std::map<std::uint8_t, int> modifierBitOfKeycode_;
    std::map<std::uint8_t, bool> heldKeycodes_;
    Handlers handlers_;
    Channels active_;
    bool pointerMoved_ = false;
    double lastPinchScale_ = 1.0;
};

} // namespace orbitdeck
