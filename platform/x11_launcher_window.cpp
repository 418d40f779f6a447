#include "platform/x11_launcher_window.h"

#include "platform/main_thread.h"
#include "platform/x11_support.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>

namespace orbitdeck {

namespace {
QScreen* screenOf(const QWindow* window) {
    if (window != nullptr && window->screen() != nullptr)
        return window->screen();
    return QGuiApplication::primaryScreen();
}

constexpr auto fadeStep = std::chrono::milliseconds(16);
} // namespace

X11LauncherWindow::X11LauncherWindow(QWindow* window, QObject* parent)
    : QObject(parent)
    , window_(window) {
    fadeTimer_.setTimerType(Qt::PreciseTimer);
    fadeTimer_.setInterval(fadeStep);
    connect(&fadeTimer_, &QTimer::timeout, this, &X11LauncherWindow::stepFade);
    if (window_)
        window_->installEventFilter(this);
}

X11LauncherWindow::~X11LauncherWindow() {
    endFade();
}

bool X11LauncherWindow::isVisible() const {
    return window_ && window_->isVisible();
}

double X11LauncherWindow::opacity() const {
    return window_ ? window_->opacity() : 0.0;
}

void X11LauncherWindow::setOpacity(double opacity) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    endFade();
    applyOpacity(opacity);
}

void X11LauncherWindow::applyOpacity(double opacity) {
    if (!window_)
        return;
    window_->setOpacity(opacity);
    // Qt queues the property change until it next talks to the server; a still window may not
    // for a long time, leaving the fade stuck part-way on screen.
    if (const auto x = x11::qtConnection())
        xcb_flush(x->connection);
}

void X11LauncherWindow::fadeOpacity(double target, std::chrono::milliseconds duration,
                                    FadeCurve curve, std::function<void()> finished) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    endFade();
    fadeFinished_ = std::move(finished);
    if (!window_) {
        endFade();
        return;
    }
    fade_ = {.from = window_->opacity(),
             .to = target,
             .duration = duration,
             .curve = QEasingCurve(curve == FadeCurve::easeIn ? QEasingCurve::InQuad
                                                              : QEasingCurve::OutQuad),
             .clock = {}};
    fade_.clock.start();
    fadeTimer_.start();
}

void X11LauncherWindow::stepFade() {
    if (!window_) {
        endFade();
        return;
    }
    const double elapsed = static_cast<double>(fade_.clock.elapsed());
    const double progress =
        fade_.duration.count() > 0 ? std::min(elapsed / fade_.duration.count(), 1.0) : 1.0;
    applyOpacity(fade_.from + (fade_.to - fade_.from) * fade_.curve.valueForProgress(progress));
    if (progress >= 1.0)
        endFade();
}

void X11LauncherWindow::endFade() {
    fadeTimer_.stop();
    if (auto finished = std::exchange(fadeFinished_, nullptr))
        finished();
}

void X11LauncherWindow::bringForward() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!window_)
        return;
    moveToCurrentDesktop();
    window_->show();
    window_->raise();
    window_->requestActivate();
}

void X11LauncherWindow::unmap() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_)
        window_->hide();
}

QRect X11LauncherWindow::frame() const {
    return window_ ? window_->geometry() : QRect();
}

void X11LauncherWindow::setFrame(const QRect& frame, bool) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_)
        window_->setGeometry(frame);
}

std::optional<QRect> X11LauncherWindow::monitorGeometry() const {
    if (const QScreen* screen = screenOf(window_))
        return screen->geometry();
    return std::nullopt;
}

std::optional<QRect> X11LauncherWindow::monitorAvailableGeometry() const {
    if (const QScreen* screen = screenOf(window_))
        return screen->availableGeometry();
    return std::nullopt;
}

void X11LauncherWindow::setFullScreenChrome(bool fullScreen) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!window_)
        return;
    window_->setFlag(Qt::FramelessWindowHint, fullScreen);
    window_->setFlag(Qt::NoDropShadowWindowHint, fullScreen);
    // The window manager's full-screen state (_NET_WM_STATE_FULLSCREEN) is what puts the window
    // above panels and docks. Through Qt's window state, so Qt writes it before every mapping
    // (the launcher unmaps when it hides) instead of writing its own idea back.
    Qt::WindowStates states = window_->windowStates();
    states.setFlag(Qt::WindowFullScreen, fullScreen);
    states.setFlag(Qt::WindowMaximized, false);
    if (states != window_->windowStates())
        window_->setWindowStates(states);
    // A window that is shown but not yet managed misses Qt's request (window managers ignore
    // messages about windows they do not manage yet): ask again once it is on screen.
    fullScreenRequest_ = fullScreen;
    stateRequestPending_ = window_->isVisible();
    if (window_->isExposed())
        sendFullScreenRequest();
}

bool X11LauncherWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Expose && stateRequestPending_ &&
        window_->isExposed())
        sendFullScreenRequest();
    return false;
}

void X11LauncherWindow::sendFullScreenRequest() {
    stateRequestPending_ = false;
    const auto x = x11::qtConnection();
    if (!x || !window_)
        return;
    constexpr std::uint32_t remove = 0;
    constexpr std::uint32_t add = 1;
    x11::sendToWindowManager(x->connection, x->root, static_cast<xcb_window_t>(window_->winId()),
                             "_NET_WM_STATE", fullScreenRequest_ ? add : remove,
                             x11::atom(x->connection, "_NET_WM_STATE_FULLSCREEN"));
    xcb_flush(x->connection);
}

void X11LauncherWindow::moveToCurrentDesktop() {
    const auto x = x11::qtConnection();
    if (!x)
        return;
    const auto desktop =
        x11::propertyValue(x->connection, x->root, "_NET_CURRENT_DESKTOP", XCB_ATOM_CARDINAL);
    if (!desktop)
        return;
    const auto window = static_cast<xcb_window_t>(window_->winId());
    if (window_->isVisible()) {
        // A mapped window belongs to the window manager: ask it to move the window (source 2,
        // a pager-like tool, which window managers honour).
        x11::sendToWindowManager(x->connection, x->root, window, "_NET_WM_DESKTOP", *desktop, 2);
    } else {
        const std::uint32_t value = *desktop;
        xcb_change_property(x->connection, XCB_PROP_MODE_REPLACE, window,
                            x11::atom(x->connection, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, 32, 1,
                            &value);
    }
    xcb_flush(x->connection);
}

} // namespace orbitdeck
