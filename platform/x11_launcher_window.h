#pragma once

#include "platform/launcher_window.h"

#include <QObject>
#include <QPointer>
#include <QWindow>

class QPropertyAnimation;

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

private:
    void endFade();
    void moveToCurrentDesktop();

    QPointer<QWindow> window_;
    QPointer<QPropertyAnimation> fade_;
    std::function<void()> fadeFinished_;
};

} // namespace orbitdeck
