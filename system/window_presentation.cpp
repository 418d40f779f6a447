#include "system/window_presentation.h"

#include "platform/main_thread.h"

#include <QPointer>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace orbitdeck {

namespace {
using namespace std::chrono_literals;
constexpr auto fadeInDuration = 180ms;
constexpr auto fadeOutDuration = 140ms;
// Window managers may still move or resize a fresh full-screen window; apply the frame again.
constexpr std::chrono::milliseconds pinDelays[] = {150ms, 500ms, 1200ms};

void applyFullScreenFrame(LauncherWindow& window) {
    // The monitor's own rectangle: one X screen spans every monitor, so a larger frame would
    // spill onto the neighbouring one.
    if (const std::optional<QRect> monitor = window.monitorGeometry())
        window.setFrame(*monitor, false);
}
} // namespace

WindowPresentation::WindowPresentation(Scheduler& scheduler, FocusHandover& focus, QObject* parent)
    : QObject(parent)
    , scheduler_(scheduler)
    , focus_(focus) {}

std::int64_t WindowPresentation::nextGeneration() {
    if (generation_ == std::numeric_limits<std::int64_t>::max()) {
        std::fputs("window presentation generation overflowed\n", stderr);
        std::abort();
    }
    return ++generation_;
}

void WindowPresentation::remember(const std::shared_ptr<LauncherWindow>& window) {
    if (window)
        presentedWindow_ = window;
}

void WindowPresentation::show(const std::shared_ptr<LauncherWindow>& window, bool immediately) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    remember(window);
    focus_.rememberFocused();
    const std::shared_ptr<LauncherWindow> target = window ? window : presentedWindow_.lock();
    if (!target) {
        isHiding_ = false;
        nextGeneration();
        return;
    }
    if (!target->isVisible() && !immediately)
        target->setOpacity(0.0);
    present(target, immediately);
}

void WindowPresentation::present(const std::shared_ptr<LauncherWindow>& window, bool immediately) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::int64_t generation = nextGeneration();
    isHiding_ = false;
    // Window managers drop the full-screen state of a window they unmap: ask on every show.
    if (window == fullScreenWindow_.lock())
        window->setFullScreenChrome(true);
    window->bringForward();
    if (immediately) {
        window->setOpacity(1.0);
        return;
    }
    std::weak_ptr<LauncherWindow> weak = window;
    scheduler_.schedule(0ms, this, [this, weak, generation] {
        const std::shared_ptr<LauncherWindow> target = weak.lock();
        if (target && generation == generation_)
            target->fadeOpacity(1.0, fadeInDuration, FadeCurve::easeOut, {});
    });
}

void WindowPresentation::hide(const std::shared_ptr<LauncherWindow>& window, bool immediately) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (isHiding_)
        return;
    remember(window);
    const std::int64_t generation = nextGeneration();
    if (!window || immediately) {
        hideApplication();
        return;
    }
    isHiding_ = true;
    QPointer<WindowPresentation> self = this;
    window->fadeOpacity(0.0, fadeOutDuration, FadeCurve::easeIn, [self, generation] {
        if (!self)
            return;
        self->isHiding_ = false;
        if (generation == self->generation_)
            self->hideApplication();
    });
}

void WindowPresentation::hideApplication() {
    if (const std::shared_ptr<LauncherWindow> window = presentedWindow_.lock())
        window->unmap();
    focus_.restoreFocus();
}

void WindowPresentation::applicationActivated() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const std::shared_ptr<LauncherWindow> window = presentedWindow_.lock();
    if (!isHiding_ && window && window->opacity() < 1.0)
        present(window, false);
}

void WindowPresentation::screensChanged() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (const std::shared_ptr<LauncherWindow> window = fullScreenWindow_.lock())
        pinFullScreenFrame(window);
}

void WindowPresentation::applyWindowStyle(const std::shared_ptr<LauncherWindow>& window,
                                          bool fullScreen) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const bool isFullScreenWindow = fullScreenWindow_.lock() == window;
    if (fullScreen) {
        if (isFullScreenWindow) {
            pinFullScreenFrame(window);
            return;
        }
        fullScreenWindow_ = window;
        window->setFullScreenChrome(true);
        pinFullScreenFrame(window);
        window->bringForward();
        return;
    }
    if (isFullScreenWindow) {
        fullScreenWindow_.reset();
        window->setFullScreenChrome(false);
        window->bringForward();
    }
    normalizeWindowedFrame(*window);
}

void WindowPresentation::pinFullScreenFrame(const std::shared_ptr<LauncherWindow>& window) {
    applyFullScreenFrame(*window);
    std::weak_ptr<LauncherWindow> weak = window;
    for (const auto delay : pinDelays) {
        scheduler_.schedule(delay, this, [this, weak] {
            const std::shared_ptr<LauncherWindow> target = weak.lock();
            if (target && target == fullScreenWindow_.lock())
                applyFullScreenFrame(*target);
        });
    }
}

std::optional<QRect> WindowPresentation::normalizedWindowedFrame(const QRect& frame,
                                                                 const QRect& visible) {
    const bool reasonable = frame.width() <= 0.85 * visible.width() &&
                            frame.height() <= 0.85 * visible.height() && frame.width() >= 700 &&
                            frame.intersects(visible);
    if (reasonable)
        return std::nullopt;
    const int width = std::max(static_cast<int>(std::lround(0.62 * visible.width())), 780);
    const int height = std::max(static_cast<int>(std::lround(0.70 * visible.height())), 600);
    const double midX = visible.x() + visible.width() / 2.0;
    const double midY = visible.y() + visible.height() / 2.0;
    return QRect(static_cast<int>(std::lround(midX - width / 2.0)),
                 static_cast<int>(std::lround(midY - height / 2.0)), width, height);
}

void WindowPresentation::normalizeWindowedFrame(LauncherWindow& window) {
    const std::optional<QRect> visible = window.monitorAvailableGeometry();
    if (!visible)
        return;
    if (const std::optional<QRect> frame = normalizedWindowedFrame(window.frame(), *visible))
        window.setFrame(*frame, window.isVisible());
}

} // namespace orbitdeck
