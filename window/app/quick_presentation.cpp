#include "window/app/quick_presentation.h"

#include "platform/main_thread.h"
#include "platform/scheduler.h"
#include "platform/x11_focus_handover.h"
#include "platform/x11_launcher_window.h"
#include "system/window_presentation.h"

#include <QGuiApplication>
#include <QQuickWindow>

namespace orbitdeck {

struct QuickPresentation::X11 {
    QtScheduler scheduler;
    X11FocusHandover focus;
    WindowPresentation presentation{scheduler, focus};
    std::shared_ptr<X11LauncherWindow> window;
};

QuickPresentation::QuickPresentation() = default;
QuickPresentation::~QuickPresentation() = default;

void QuickPresentation::attach(QQuickWindow& window) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    window_ = &window;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        x11_ = std::make_unique<X11>();
        x11_->window = std::make_shared<X11LauncherWindow>(&window);
    }
}

bool QuickPresentation::isApplicationActive() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

bool QuickPresentation::isWindowShown() const {
    return window_ && window_->isVisible() && !isHiding();
}

bool QuickPresentation::isHiding() const {
    return x11_ && x11_->presentation.isHiding();
}

bool QuickPresentation::hasWindow() const {
    return window_ != nullptr;
}

void QuickPresentation::hide(bool immediately) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (x11_)
        x11_->presentation.hide(x11_->window, immediately);
    else if (window_)
        window_->hide();
}

void QuickPresentation::show(bool immediately) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (x11_)
        x11_->presentation.show(x11_->window, immediately);
    else if (window_)
        window_->show();
}

void QuickPresentation::openWindow() {
    show(true);
}

void QuickPresentation::installTriggerHandlers(std::function<void()>, const QString&) {
    // The global shortcut and the launch triggers are wired by the system module's entry.
}

} // namespace orbitdeck
