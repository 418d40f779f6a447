#pragma once

#include "platform/launcher_window.h"

#include <QAbstractNativeEventFilter>
#include <QEasingCurve>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace orbitdeck {

// The launcher's QWindow as presentation drives it on X11.
class X11LauncherWindow final : public QObject,
                                public LauncherWindow,
                                private QAbstractNativeEventFilter {
public:
    explicit X11LauncherWindow(QWindow* window, QObject* parent = nullptr);
    ~X11LauncherWindow() override;

    bool isVisible() const override;
    double opacity() const override;
    void setOpacity(double opacity) override;
    void fadeOpacity(double target, std::chrono::milliseconds duration, FadeCurve curve,
                     std::function<void()> finished) override;

    void bringForward() override;
    void unmap() override;

    QRect frame() const override;
    void setFrame(const QRect& frame, bool animate) override;
    std::optional<QRect> monitorGeometry() const override;
    std::optional<QRect> monitorAvailableGeometry() const override;
    void setFullScreenChrome(bool fullScreen) override;
    // Whether the window manager holds the window full screen now, as _NET_WM_STATE says. Qt's
    // window state is no witness: moving the window drops full screen from it.
    bool inWindowManagerFullScreen() const;
    // The launcher's own full-screen request is still on its way: the state the window manager
    // shows meanwhile (an unmapped window's, a fresh mapping's) is not its answer.
    bool stateRequestInFlight() const;
    // Hears every change the window manager makes to the window's state.
    void setStateObserver(std::function<void()> observer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    void sendFullScreenRequest();
    void askAgainIfUnanswered();

    struct Fade {
        double from = 0;
        double to = 0;
        std::chrono::milliseconds duration{0};
        QEasingCurve curve;
        QElapsedTimer clock;
    };

    struct Move {
        QRect from;
        QRect to;
        QElapsedTimer clock;
    };

    void stepMove();
    void applyOpacity(double opacity);
    void stepFade();
    void endFade();
    void moveToCurrentDesktop();

    QPointer<QWindow> window_;
    // A plain timer, not a QAbstractAnimation: any running animation keeps Qt Quick's render loop
    // drawing a frame per tick, while the window opacity is the compositor's to apply.
    QTimer fadeTimer_;
    Fade fade_;
    std::function<void()> fadeFinished_;
    QTimer moveTimer_;
    Move move_;
    std::function<void()> stateObserver_;
    std::uint32_t stateAtom_ = 0;
    QElapsedTimer requestClock_;
    QTimer askAgainTimer_;
    bool requestAnswered_ = true;
    bool fullScreenRequest_ = false;
    bool stateRequestPending_ = false;
};

} // namespace orbitdeck
