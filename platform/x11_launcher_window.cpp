#include "platform/x11_launcher_window.h"

#include "platform/main_thread.h"
#include "platform/x11_support.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include <xcb/xcb.h>

#include <algorithm>
#include <cmath>

namespace orbitdeck {

namespace {
QScreen* screenOf(const QWindow* window) {
    if (window != nullptr && window->screen() != nullptr)
        return window->screen();
    return QGuiApplication::primaryScreen();
}

constexpr auto fadeStep = std::chrono::milliseconds(16);
constexpr double moveMilliseconds = 200;
// Window managers answer a state request at once; one that has not within this time refused.
constexpr qint64 answerMilliseconds = 2000;
// A window manager still re-framing the window after its decorations changed may drop the
// request (openbox does, going from the framed window to full screen): ask again this often
// until it answers or the answer time is up.
constexpr auto askAgainInterval = std::chrono::milliseconds(250);

int between(int from, int to, double progress) {
    return from + static_cast<int>(std::lround((to - from) * progress));
}
} // namespace

X11LauncherWindow::X11LauncherWindow(QWindow* window, QObject* parent)
    : QObject(parent)
    , window_(window) {
    fadeTimer_.setTimerType(Qt::PreciseTimer);
    fadeTimer_.setInterval(fadeStep);
    connect(&fadeTimer_, &QTimer::timeout, this, &X11LauncherWindow::stepFade);
    moveTimer_.setTimerType(Qt::PreciseTimer);
    moveTimer_.setInterval(fadeStep);
    connect(&moveTimer_, &QTimer::timeout, this, &X11LauncherWindow::stepMove);
    askAgainTimer_.setInterval(askAgainInterval);
    connect(&askAgainTimer_, &QTimer::timeout, this, &X11LauncherWindow::askAgainIfUnanswered);
    if (window_)
        window_->installEventFilter(this);
}

X11LauncherWindow::~X11LauncherWindow() {
    if (stateObserver_ && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
    endFade();
}

void X11LauncherWindow::setStateObserver(std::function<void()> observer) {
    const auto x = x11::qtConnection();
    if (!x || stateObserver_)
        return;
    stateAtom_ = x11::atom(x->connection, "_NET_WM_STATE");
    stateObserver_ = std::move(observer);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

bool X11LauncherWindow::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !window_)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
    if (change->atom == stateAtom_ && change->window == window_->winId())
        // After Qt has seen the event too.
        QMetaObject::invokeMethod(
            this,
            [this] {
                const bool fullScreen = inWindowManagerFullScreen();
                if (fullScreen == fullScreenRequest_)
                    requestAnswered_ = true;
                // The window manager's full screen owns the geometry: a windowed frame still
                // sliding into place would take the window out of it again.
                if (fullScreen)
                    moveTimer_.stop();
                stateObserver_();
            },
            Qt::QueuedConnection);
    return false;
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
    // Not show(): that is showNormal() and would take full screen away again.
    window_->setVisible(true);
    window_->raise();
    window_->requestActivate();
}

void X11LauncherWindow::unmap() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (window_)
        window_->hide();
}

QRect X11LauncherWindow::frame() const {
    // While moving, the frame asked for: a second look must not start the move again.
    if (moveTimer_.isActive())
        return move_.to;
    return window_ ? window_->geometry() : QRect();
}

void X11LauncherWindow::setFrame(const QRect& frame, bool animate) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    moveTimer_.stop();
    if (!window_)
        return;
    if (!animate || !window_->isVisible() || window_->geometry() == frame) {
        window_->setGeometry(frame);
        return;
    }
    move_ = {.from = window_->geometry(), .to = frame, .clock = {}};
    move_.clock.start();
    moveTimer_.start();
}

void X11LauncherWindow::stepMove() {
    if (!window_) {
        moveTimer_.stop();
        return;
    }
    const double progress =
        std::min(static_cast<double>(move_.clock.elapsed()) / moveMilliseconds, 1.0);
    const double eased = QEasingCurve(QEasingCurve::InOutQuad).valueForProgress(progress);
    window_->setGeometry(QRect(QPoint(between(move_.from.x(), move_.to.x(), eased),
                                      between(move_.from.y(), move_.to.y(), eased)),
                               QSize(between(move_.from.width(), move_.to.width(), eased),
                                     between(move_.from.height(), move_.to.height(), eased))));
    if (progress >= 1.0)
        moveTimer_.stop();
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
    // messages about windows they do not manage yet), and one about to be mapped may meet a
    // window manager still clearing the state of its last unmapping: ask again once on screen.
    fullScreenRequest_ = fullScreen;
    stateRequestPending_ = true;
    requestAnswered_ = false;
    requestClock_.start();
    if (window_->isExposed())
        sendFullScreenRequest();
}

bool X11LauncherWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Expose && stateRequestPending_ &&
        window_->isExposed())
        sendFullScreenRequest();
    return false;
}

bool X11LauncherWindow::stateRequestInFlight() const {
    const bool recent = stateRequestPending_ ||
                        (requestClock_.isValid() && requestClock_.elapsed() < answerMilliseconds);
    return recent && !requestAnswered_ && inWindowManagerFullScreen() != fullScreenRequest_;
}

bool X11LauncherWindow::inWindowManagerFullScreen() const {
    const auto x = x11::qtConnection();
    if (!x || !window_)
        return false;
    return x11::atomListHas(x->connection, static_cast<xcb_window_t>(window_->winId()),
                            "_NET_WM_STATE", "_NET_WM_STATE_FULLSCREEN");
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
    askAgainTimer_.start();
}

void X11LauncherWindow::askAgainIfUnanswered() {
    const bool answered = requestAnswered_ || inWindowManagerFullScreen() == fullScreenRequest_;
    if (answered || !window_ || !window_->isExposed() ||
        requestClock_.elapsed() >= answerMilliseconds) {
        askAgainTimer_.stop();
        return;
    }
    sendFullScreenRequest();
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
