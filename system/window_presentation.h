#pragma once

#include "platform/launcher_window.h"
#include "platform/scheduler.h"

#include <QObject>
#include <QRect>

#include <cstdint>
#include <memory>
#include <optional>

namespace orbitdeck {

// Brings the launcher window on screen and takes it away again, and gives it the chrome and
// frame of the two display modes. Delayed work is ordered by a generation count: a fade or hide
// queued by an earlier call does nothing once a later show, present or hide has happened.
class WindowPresentation final : public QObject {
public:
    WindowPresentation(Scheduler& scheduler, FocusHandover& focus, QObject* parent = nullptr);

    // Remembers who had the focus, brings the window (else the last one) forward, fades it in.
    void show(const std::shared_ptr<LauncherWindow>& window, bool immediately);
    // Fades out (at once when immediately or without a window), unmaps, hands the focus back.
    void hide(const std::shared_ptr<LauncherWindow>& window, bool immediately);
    void present(const std::shared_ptr<LauncherWindow>& window, bool immediately);

    // The application became active again (e.g. the user clicked the launcher's taskbar entry).
    void applicationActivated();
    // Monitors were added, removed or changed their geometry.
    void screensChanged();

    void applyWindowStyle(const std::shared_ptr<LauncherWindow>& window, bool fullScreen);

    bool isHiding() const { return isHiding_; }
    std::int64_t generation() const { return generation_; }
    std::shared_ptr<LauncherWindow> fullScreenWindow() const { return fullScreenWindow_.lock(); }

    // The windowed frame to apply, or none when the current one is reasonable.
    static std::optional<QRect> normalizedWindowedFrame(const QRect& frame, const QRect& visible);
    static void normalizeWindowedFrame(LauncherWindow& window);

private:
    std::int64_t nextGeneration();
    void remember(const std::shared_ptr<LauncherWindow>& window);
    void hideApplication();
    void pinFullScreenFrame(const std::shared_ptr<LauncherWindow>& window);

    Scheduler& scheduler_;
    FocusHandover& focus_;
    std::weak_ptr<LauncherWindow> presentedWindow_;
    std::weak_ptr<LauncherWindow> fullScreenWindow_;
    std::int64_t generation_ = 0;
    bool isHiding_ = false;
};

} // namespace orbitdeck
