#pragma once

#include "window/window_seams.h"

#include <QList>

#include <functional>
#include <memory>

class QQuickWindow;

namespace orbitdeck {

class DefaultsStore;

// Shows and hides the launcher's Qt Quick window for the window state: through the system
// services on X11 (fades, focus handed back, global hot key, launch triggers), by plain show and
// hide elsewhere.
class QuickPresentation final : public LibraryPresentation {
public:
    QuickPresentation();
    ~QuickPresentation() override;

    // The stored settings drive the hot key and the triggers. refused hears whether another
    // program holds the chosen global shortcut and which offered shortcuts (LibraryHotKey
    // values) other programs hold, now and whenever the registration changes.
    using HotKeyRefusal = std::function<void(bool refused, const QList<int>& taken)>;
    void attach(QQuickWindow& window, DefaultsStore& store, HotKeyRefusal refused = {});

    bool isApplicationActive() const override;
    bool isWindowShown() const override;
    bool isHiding() const override;
    bool hasWindow() const override;
    void hide(bool immediately) override;
    void show(bool immediately) override;
    void openWindow() override;
    // May come before attach (the views report their window while loading); applied on attach.
    void installTriggerHandlers(std::function<void()> toggle, LibraryHotKey hotKey) override;

    // Full screen covers the window's monitor; the windowed frame is normalised first unless the
    // window is leaving full screen (it gets its frame back then).
    void applyDisplayMode(bool fullScreen);
    // Whether the window is in the launcher's own full-screen mode (the window manager may also
    // make it full screen by itself).
    bool holdsFullScreen() const;
    // Whether the window is full screen now, whoever made it so.
    bool inFullScreenState() const;
    // The launcher's own request for a window state has not been answered yet.
    bool stateRequestInFlight() const;
    // Hears the window manager (or the shell) change the window's state.
    void observeWindowState(std::function<void()> changed);

    // The window's dynamic property naming the hot key's state: "registered", "not registered"
    // (another client holds the combination) or "none".
    static constexpr const char* hotKeyStateProperty = "hotKeyRegistration";

private:
    struct X11;
    std::unique_ptr<X11> x11_;
    QQuickWindow* window_ = nullptr;
    std::function<void()> toggle_;
    bool fullScreen_ = false;
};

} // namespace orbitdeck
