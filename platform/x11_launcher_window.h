#pragma once

#include "platform/launcher_window.h"

#include <QEasingCurve>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace orbitdeck {

// The launcher's QWindow as presentation drives it on X11.
class X11LauncherWindow final : public QObject, public LauncherWindow {
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void sendFullScreenRequest();

    struct Fade {
        double from = 0;
        double to = 0;
        std::chrono::milliseconds duration{0};
        QEasingCurve curve;
        QElapsedTimer clock;
    };

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
    bool fullScreenRequest_ = false;
    bool stateRequestPending_ = false;
};

} // namespace orbitdeck
