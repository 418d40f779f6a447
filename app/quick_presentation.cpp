#include "app/quick_presentation.h"

#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "platform/x11_launcher_window.h"
#include "system/system_services.h"
#include "window/library_hot_key.h"

#include <QGuiApplication>
#include <QQuickWindow>

namespace orbitdeck {

namespace {

const char* registrationText(GlobalHotKey::Registration registration) {
    switch (registration) {
    case GlobalHotKey::Registration::registered:
        return "registered";
    case GlobalHotKey::Registration::refused:
        return "not registered";
    case GlobalHotKey::Registration::none:
        break;
    }
    return "none";
}

// The offered shortcuts another program holds, asked each time the registration changes.
QList<int> takenHotKeys(GlobalHotKey& hotKey) {
    QList<int> taken;
    for (const LibraryHotKey offered :
         {LibraryHotKey::optionSpace, LibraryHotKey::commandOptionSpace,
          LibraryHotKey::controlOptionSpace}) {
        if (const auto chord = hotKeyChord(offered); chord && hotKey.heldElsewhere(*chord))
            taken.append(static_cast<int>(offered));
    }
    return taken;
}

} // namespace

struct QuickPresentation::X11 {
    X11(QQuickWindow& quickWindow, DefaultsStore& store)
        : services(scheduler, store, [] { return QGuiApplication::focusWindow() != nullptr; })
        , window(std::make_shared<X11LauncherWindow>(&quickWindow)) {}

    QtScheduler scheduler;
    SystemServices services;
    std::shared_ptr<X11LauncherWindow> window;
};

QuickPresentation::QuickPresentation() = default;
QuickPresentation::~QuickPresentation() = default;

void QuickPresentation::attach(QQuickWindow& window, DefaultsStore& store, HotKeyRefusal refused) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_ = &window;
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    x11_ = std::make_unique<X11>(window, store);
    GlobalHotKey& hotKey = x11_->services.hotKey();
    const auto publish = [&window, &hotKey, refused](GlobalHotKey::Registration registration) {
        window.setProperty(hotKeyStateProperty,
                           QString::fromLatin1(registrationText(registration)));
        if (refused)
            refused(registration == GlobalHotKey::Registration::refused, takenHotKeys(hotKey));
    };
    publish(x11_->services.hotKey().registration());
    x11_->services.hotKey().setRegistrationObserver(publish);
    if (toggle_)
        x11_->services.installTriggerHandlers(toggle_);
}

bool QuickPresentation::isApplicationActive() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

bool QuickPresentation::isWindowShown() const {
    return window_ && window_->isVisible() && !isHiding();
}

bool QuickPresentation::isHiding() const {
    return x11_ && x11_->services.presentation().isHiding();
}

bool QuickPresentation::hasWindow() const {
    return window_ != nullptr;
}

void QuickPresentation::hide(bool immediately) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (x11_)
        x11_->services.presentation().hide(x11_->window, immediately);
    else if (window_)
        window_->hide();
}

void QuickPresentation::show(bool immediately) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (x11_)
        x11_->services.presentation().show(x11_->window, immediately);
    else if (window_ && fullScreen_)
        // The shell forgets full screen with the surface a hide destroys: ask again.
        window_->showFullScreen();
    else if (window_)
        window_->show();
}

void QuickPresentation::openWindow() {
    show(true);
}

void QuickPresentation::installTriggerHandlers(std::function<void()> toggle, LibraryHotKey) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // The services read the shortcut from the store themselves.
    toggle_ = std::move(toggle);
    if (x11_)
        x11_->services.installTriggerHandlers(toggle_);
}

bool QuickPresentation::holdsFullScreen() const {
    if (x11_)
        return x11_->services.presentation().fullScreenWindow() == x11_->window;
    return fullScreen_;
}

bool QuickPresentation::inFullScreenState() const {
    if (x11_)
        return x11_->window->inWindowManagerFullScreen();
    return window_ && window_->windowStates().testFlag(Qt::WindowFullScreen);
}

bool QuickPresentation::stateRequestInFlight() const {
    return x11_ && x11_->window->stateRequestInFlight();
}

void QuickPresentation::observeWindowState(std::function<void()> changed) {
    // On X11 the window manager's own property: Qt's window state also changes when the
    // launcher moves the window, and misses changes made after such a move.
    if (x11_)
        x11_->window->setStateObserver(std::move(changed));
    else if (window_)
        QObject::connect(window_, &QWindow::windowStateChanged, window_,
                         [changed = std::move(changed)] { changed(); });
}

void QuickPresentation::applyDisplayMode(bool fullScreen) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    fullScreen_ = fullScreen;
    if (!x11_) {
        if (window_)
            fullScreen ? window_->showFullScreen() : window_->showNormal();
        return;
    }
    WindowPresentation& presentation = x11_->services.presentation();
    if (!fullScreen && presentation.fullScreenWindow() != x11_->window)
        WindowPresentation::normalizeWindowedFrame(*x11_->window);
    presentation.applyWindowStyle(x11_->window, fullScreen);
}

} // namespace orbitdeck
