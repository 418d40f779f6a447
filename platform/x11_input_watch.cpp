#include "platform/x11_input_watch.h"

#include "platform/main_thread.h"
#include "platform/x11_support.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xinput.h>

#include <cstdlib>

namespace orbitdeck {

namespace {
constexpr std::uint32_t bit(int eventType) {
    return 1u << static_cast<unsigned>(eventType);
}

double fromFixed(xcb_input_fp1616_t value) {
    return static_cast<double>(value) / 65536.0;
}
} // namespace

struct X11InputWatch::KeySymbols {
    xcb_key_symbols_t* table = nullptr;
};

X11InputWatch::X11InputWatch(QObject* parent)
    : QObject(parent) {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_) != 0)
        return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection_, &xcb_input_id);
    if (extension == nullptr || extension->present == 0)
        return;
    xiOpcode_ = extension->major_opcode;
    auto* version = xcb_input_xi_query_version_reply(
        connection_, xcb_input_xi_query_version(connection_, 2, 4), nullptr);
    if (version != nullptr && version->major_version >= 2)
        xiMinor_ = version->major_version > 2 ? 4 : version->minor_version;
    std::free(version);
    if (!available())
        return;
    symbols_ = new KeySymbols{.table = xcb_key_symbols_alloc(connection_)};
    refreshKeyboardMapping();
    notifier_ =
        new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &X11InputWatch::drain);
}

X11InputWatch::~X11InputWatch() {
    delete notifier_;
    if (symbols_ != nullptr) {
        xcb_key_symbols_free(symbols_->table);
        delete symbols_;
    }
    xcb_disconnect(connection_);
}

void X11InputWatch::setHandlers(Handlers handlers) {
    handlers_ = std::move(handlers);
}

void X11InputWatch::setChannels(Channels channels) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!available())
        channels = {};
    if (!supportsPinch())
        channels.pinch = false;
    if (channels == active_)
        return;
    active_ = channels;
    heldKeycodes_.clear();
    if (!select() && active_.pinch) {
        // A server that announces gestures but refuses them still gives the other channels.
        active_.pinch = false;
        select();
    }
}

bool X11InputWatch::select() {
    std::uint32_t mask = 0;
    if (active_.pointer)
        mask |= XCB_INPUT_XI_EVENT_MASK_RAW_MOTION;
    if (active_.keys)
        mask |= XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;
    if (active_.pinch) {
        mask |= bit(XCB_INPUT_GESTURE_PINCH_BEGIN) | bit(XCB_INPUT_GESTURE_PINCH_UPDATE) |
                bit(XCB_INPUT_GESTURE_PINCH_END);
    }
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t bits;
    } selection{{.deviceid = XCB_INPUT_DEVICE_ALL_MASTER, .mask_len = 1}, mask};
    // Checked, so the selection is in force (or refused) once this returns.
    xcb_generic_error_t* error = xcb_request_check(
        connection_, xcb_input_xi_select_events_checked(connection_, root_, 1, &selection.head));
    std::free(error);
    return error == nullptr;
}

void X11InputWatch::drain() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!available())
        return;
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
            handle(event);
            std::free(event);
        }
        if (!pointerMoved_)
            break;
        // One position per batch of motion: the query may queue more events, so look again.
        pointerMoved_ = false;
        reportPointer();
    }
}

void X11InputWatch::reportPointer() {
    auto* pointer =
        xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr);
    if (pointer == nullptr)
        return;
    const QPoint position(pointer->root_x, pointer->root_y);
    std::free(pointer);
    if (active_.pointer && handlers_.pointerMoved)
        handlers_.pointerMoved(position);
}

void X11InputWatch::handle(const void* message) {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == XCB_MAPPING_NOTIFY) {
        auto* mapping = const_cast<xcb_mapping_notify_event_t*>(
            reinterpret_cast<const xcb_mapping_notify_event_t*>(event));
        xcb_refresh_keyboard_mapping(symbols_->table, mapping);
        refreshKeyboardMapping();
        return;
    }
    if (type == XCB_GE_GENERIC &&
        reinterpret_cast<const xcb_ge_generic_event_t*>(event)->extension == xiOpcode_)
        handleInputEvent(event);
}

void X11InputWatch::handleInputEvent(const void* event) {
    const auto eventType = reinterpret_cast<const xcb_ge_generic_event_t*>(event)->event_type;
    switch (eventType) {
    case XCB_INPUT_RAW_MOTION:
        pointerMoved_ = active_.pointer;
        return;
    case XCB_INPUT_RAW_KEY_PRESS:
    case XCB_INPUT_RAW_KEY_RELEASE: {
        const auto* key = reinterpret_cast<const xcb_input_raw_key_press_event_t*>(event);
        const auto keycode = static_cast<std::uint8_t>(key->detail);
        const bool press = eventType == XCB_INPUT_RAW_KEY_PRESS;
        const bool repeat = (key->flags & XCB_INPUT_KEY_EVENT_FLAGS_KEY_REPEAT) != 0;
        if (modifierBitOfKeycode_.contains(keycode))
            heldKeycodes_[keycode] = press;
        if (press && !repeat && active_.keys && handlers_.keyPressed) {
            const xcb_keysym_t keysym = xcb_key_symbols_get_keysym(symbols_->table, keycode, 0);
            handlers_.keyPressed(keysym, heldModifiers());
        }
        return;
    }
    case XCB_INPUT_GESTURE_PINCH_BEGIN:
    case XCB_INPUT_GESTURE_PINCH_UPDATE:
    case XCB_INPUT_GESTURE_PINCH_END: {
        const auto* pinch = reinterpret_cast<const xcb_input_gesture_pinch_begin_event_t*>(event);
        const double scale = fromFixed(pinch->scale);
        GesturePhase phase = GesturePhase::changed;
        if (eventType == XCB_INPUT_GESTURE_PINCH_BEGIN) {
            phase = GesturePhase::began;
            lastPinchScale_ = 1.0;
        } else if (eventType == XCB_INPUT_GESTURE_PINCH_END) {
            const bool cancelled =
                (pinch->flags & XCB_INPUT_GESTURE_PINCH_EVENT_FLAGS_GESTURE_PINCH_CANCELLED) != 0;
            phase = cancelled ? GesturePhase::cancelled : GesturePhase::ended;
        }
        // macOS-style magnification: the change of scale since the previous step.
        const double magnification = scale - lastPinchScale_;
        lastPinchScale_ = scale;
        if (active_.pinch && handlers_.pinched)
            handlers_.pinched(phase, magnification);
        return;
    }
    default:
        return;
    }
}

void X11InputWatch::refreshKeyboardMapping() {
    modifierBitOfKeycode_.clear();
    for (const auto& [keycode, modifierBit] : x11::modifierKeycodes(connection_))
        modifierBitOfKeycode_[keycode] = modifierBit;
}

KeyModifiers X11InputWatch::heldModifiers() const {
    std::uint16_t mask = 0;
    for (const auto& [keycode, held] : heldKeycodes_) {
        if (held)
            mask |= static_cast<std::uint16_t>(1 << modifierBitOfKeycode_.at(keycode));
    }
    return x11::modifiersFromMask(mask);
}

} // namespace orbitdeck
