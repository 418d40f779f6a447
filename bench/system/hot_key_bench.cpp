// Hot key to the launcher's window mapped and its first frame drawn, median of 20 toggles with
// the launcher resident, next to a bare Qt window that a grabbed key shows the same way, in the
// same run on the same X server. Keys go in through XTEST; the map comes as MapNotify and the
// first frame as a DAMAGE report on the window. Each show comes 0.3 s after the previous hide;
// a second launcher series re-shows at once, while the hide's own work may still run. Both draw
// on the CPU, as the bare window does: on Xvfb, OpenGL is emulated by llvmpipe, whose swap of a
// full window (tens of ms) would measure the emulation rather than the show path.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "../support/sample_apps.h"
#include "../support/statistics.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <poll.h>
#include <vector>

namespace {

struct Latency {
    double mapMs = 0;
    double frameMs = 0;
};

class Display {
public:
    Display()
        : connection_(xcb_connect(nullptr, nullptr)) {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        symbols_ = xcb_key_symbols_alloc(connection_);
        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection_, &xcb_damage_id);
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(
            connection_, xcb_damage_query_version(connection_, 1, 1), nullptr));
        clock_.start();
    }
    ~Display() {
        xcb_key_symbols_free(symbols_);
        xcb_disconnect(connection_);
    }

    bool usable() const { return !xcb_connection_has_error(connection_); }
    double now() const { return static_cast<double>(clock_.nsecsElapsed()) / 1e6; }

    // The top-level window titled title, waiting up to 30 s for it.
    std::optional<xcb_window_t> findWindow(const QByteArray& title) {
        const double deadline = now() + 30000;
        while (now() < deadline) {
            auto* tree =
                xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr);
            const xcb_window_t* children = xcb_query_tree_children(tree);
            const int count = xcb_query_tree_children_length(tree);
            std::optional<xcb_window_t> found;
            for (int i = 0; i < count && !found; ++i) {
                auto* name =
                    xcb_get_property_reply(connection_,
                                           xcb_get_property(connection_, 0, children[i],
                                                            XCB_ATOM_WM_NAME, XCB_ATOM_ANY, 0, 256),
                                           nullptr);
                // Qt's client leader carries the title too, but no class.
                auto* windowClass = xcb_get_property_reply(
                    connection_,
                    xcb_get_property(connection_, 0, children[i], XCB_ATOM_WM_CLASS, XCB_ATOM_ANY,
                                     0, 256),
                    nullptr);
                if (name && windowClass && xcb_get_property_value_length(windowClass) > 0 &&
                    QByteArray(static_cast<const char*>(xcb_get_property_value(name)),
                               xcb_get_property_value_length(name)) == title)
                    found = children[i];
                std::free(name);
                std::free(windowClass);
            }
            std::free(tree);
            if (found) {
                watch(*found);
                return found;
            }
            poll(nullptr, 0, 20);
        }
        return std::nullopt;
    }

    bool isMapped(xcb_window_t window) {
        auto* reply = xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr);
        const bool mapped = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
        std::free(reply);
        return mapped;
    }

    void focus(xcb_window_t window) {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }

    void pressChord(const std::vector<xcb_keysym_t>& keysyms) {
        std::vector<xcb_keycode_t> codes;
        for (const xcb_keysym_t keysym : keysyms) {
            const std::unique_ptr<xcb_keycode_t, decltype(&std::free)> code(
                xcb_key_symbols_get_keycode(symbols_, keysym), &std::free);
            codes.push_back(code ? *code : 0);
        }
        for (const xcb_keycode_t code : codes)
            fake(XCB_KEY_PRESS, code);
        for (auto it = codes.rbegin(); it != codes.rend(); ++it)
            fake(XCB_KEY_RELEASE, *it);
        xcb_flush(connection_);
    }

    void discardEvents() {
        for (const auto& [window, damage] : damages_)
            xcb_damage_subtract(connection_, damage, XCB_NONE, XCB_NONE);
        xcb_flush(connection_);
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_))
            std::free(event);
    }

    // Milliseconds from start until the event kind comes for window; none after timeoutMs.
    enum class Kind { map, unmap, frame };
    std::optional<double> waitFor(Kind kind, xcb_window_t window, double start, double timeoutMs) {
        const double deadline = now() + timeoutMs;
        while (now() < deadline) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const int type = event->response_type & 0x7f;
                const xcb_window_t about = windowOf(event, type);
                std::free(event);
                const bool hit =
                    about == window && ((kind == Kind::map && type == XCB_MAP_NOTIFY) ||
                                        (kind == Kind::unmap && type == XCB_UNMAP_NOTIFY) ||
                                        (kind == Kind::frame && type == damageEvent_));
                if (type == damageEvent_ && damages_.contains(about)) {
                    xcb_damage_subtract(connection_, damages_[about], XCB_NONE, XCB_NONE);
                    xcb_flush(connection_);
                }
                if (hit)
                    return now() - start;
            }
            pollfd descriptor{
                .fd = xcb_get_file_descriptor(connection_), .events = POLLIN, .revents = 0};
            poll(&descriptor, 1, 5);
        }
        return std::nullopt;
    }

    // Lets time pass while still taking the events (and damage) that come in.
    void idle(double ms) {
        const double until = now() + ms;
        while (now() < until)
            waitFor(Kind::frame, XCB_NONE, now(), until - now());
    }

private:
    xcb_window_t windowOf(const xcb_generic_event_t* event, int type) const {
        if (type == XCB_MAP_NOTIFY)
            return reinterpret_cast<const xcb_map_notify_event_t*>(event)->window;
        if (type == XCB_UNMAP_NOTIFY)
            return reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window;
        if (type == damageEvent_)
            return reinterpret_cast<const xcb_damage_notify_event_t*>(event)->drawable;
        return XCB_NONE;
    }

    void watch(xcb_window_t window) {
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
        const xcb_damage_damage_t damage = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage, window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        damages_[window] = damage;
        xcb_flush(connection_);
    }

    void fake(std::uint8_t type, xcb_keycode_t code) {
        xcb_test_fake_input(connection_, type, code, XCB_CURRENT_TIME, root_, 0, 0, 0);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
    xcb_key_symbols_t* symbols_ = nullptr;
    std::map<xcb_window_t, xcb_damage_damage_t> damages_;
    int damageEvent_ = 0;
    QElapsedTimer clock_;
};

// Presses the chord until the window unmaps; the app must have seen its activation first.
bool hideWith(Display& display, xcb_window_t window, const std::vector<xcb_keysym_t>& chord) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        display.discardEvents();
        display.pressChord(chord);
        if (display.waitFor(Display::Kind::unmap, window, display.now(), 3000))
            return true;
    }
    return !display.isMapped(window);
}

constexpr double idleAfterHideMs = 300;

std::vector<Latency> measureToggles(Display& display, xcb_window_t window,
                                    const std::vector<xcb_keysym_t>& chord, int toggles,
                                    double idleMs = idleAfterHideMs) {
    std::vector<Latency> samples;
    if (display.isMapped(window)) {
        display.focus(window);
        if (!hideWith(display, window, chord)) {
            std::fprintf(stderr, "window 0x%x did not hide\n", window);
            return samples;
        }
    }
    for (int i = 0; i < toggles; ++i) {
        display.focus(XCB_INPUT_FOCUS_POINTER_ROOT);
        display.discardEvents();
        const double start = display.now();
        display.pressChord(chord);
        const auto mapped = display.waitFor(Display::Kind::map, window, start, 5000);
        const auto drawn =
            mapped ? display.waitFor(Display::Kind::frame, window, start, 5000) : std::nullopt;
        if (!mapped || !drawn) {
            std::fprintf(stderr, "window 0x%x: mapped %d drawn %d\n", window, bool(mapped),
                         bool(drawn));
            return {};
        }
        samples.push_back({.mapMs = *mapped, .frameMs = *drawn});
        if (!hideWith(display, window, chord))
            return {};
        // Nobody calls the launcher back within a frame of it going away: let the hide's own
        // work (a frame still being drawn, animations the dismissal started) end first.
        display.idle(idleMs);
    }
    return samples;
}

Latency medians(const std::vector<Latency>& samples) {
    std::vector<double> map, frame;
    for (const Latency& sample : samples) {
        map.push_back(sample.mapMs);
        frame.push_back(sample.frameMs);
    }
    return {.mapMs = median(map), .frameMs = median(frame)};
}

constexpr xcb_keysym_t altKey = 0xffe9, controlKey = 0xffe3, spaceKey = 0x20;

} // namespace

int main() {
    const bool quick = qEnvironmentVariableIsSet("ORBITDECK_BENCH_QUICK");
    const int toggles = quick ? 3 : 20;
    const QString source = qEnvironmentVariable("ORBITDECK_SOURCE_DIR", QStringLiteral(SOURCE_DIR));
    Display display;
    if (!display.usable()) {
        std::fprintf(stderr, "no X display\n");
        return 1;
    }

    QTemporaryDir home;
    const QString roots = makeSampleApps(source, home.path(), 40);
    // The windowed start mode, so both windows are of a size.
    QDir(home.path()).mkpath(QStringLiteral(".config/orbitdeck"));
    QFile settings(home.filePath(QStringLiteral(".config/orbitdeck/orbitdeck.plist")));
    settings.open(QIODevice::WriteOnly);
    settings.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0"><dict><key>ambergrid.startMode</key><string>window</string></dict></plist>
)");
    settings.close();

    QProcessEnvironment environment = throwawayEnvironment(home.path(), roots);
    environment.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));

    QProcess launcher, bare;
    for (QProcess* process : {&launcher, &bare}) {
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    launcher.start(QStringLiteral(LAUNCHER_PATH), {});
    bare.start(QStringLiteral(BARE_WINDOW_PATH), {});
    const auto launcherWindow = display.findWindow("Orbitdeck");
    const auto bareWindow = display.findWindow("bare-hot-key-window");
    std::vector<Latency> launcherSamples, hurriedSamples, bareSamples;
    if (launcherWindow && bareWindow) {
        // Let the launcher finish loading its library before timing it.
        const double settle = display.now();
        while (display.now() - settle < 1500)
            display.waitFor(Display::Kind::frame, *launcherWindow, settle, 100);
        launcherSamples = measureToggles(display, *launcherWindow, {altKey, spaceKey}, toggles);
        hurriedSamples = measureToggles(display, *launcherWindow, {altKey, spaceKey}, toggles, 0);
        bareSamples = measureToggles(display, *bareWindow, {controlKey, altKey, spaceKey}, toggles);
    }
    stopProcess(launcher);
    stopProcess(bare);
    if (launcherSamples.empty() || hurriedSamples.empty() || bareSamples.empty()) {
        std::fprintf(stderr, "a window did not come up on its key\n");
        return 1;
    }
    const Latency ours = medians(launcherSamples), hurried = medians(hurriedSamples),
                  base = medians(bareSamples);
    std::printf("hot key to window mapped / first frame drawn (median of %d toggles, software "
                "renderer)\n",
                toggles);
    std::printf("  launcher      map %7.1f ms   frame %7.1f ms\n", ours.mapMs, ours.frameMs);
    std::printf("  at once       map %7.1f ms   frame %7.1f ms   (launcher re-shown as it hides)\n",
                hurried.mapMs, hurried.frameMs);
    std::printf("  bare window   map %7.1f ms   frame %7.1f ms\n", base.mapMs, base.frameMs);
    std::printf("  ratio         map %7.2f x    frame %7.2f x    (goal: frame under 16 ms)\n",
                base.mapMs > 0 ? ours.mapMs / base.mapMs : 0.0,
                base.frameMs > 0 ? ours.frameMs / base.frameMs : 0.0);
    return 0;
}
