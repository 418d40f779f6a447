#pragma once

#include "window/window_seams.h"

#include <memory>

class QQuickWindow;

namespace orbitdeck {

// Shows and hides the launcher's Qt Quick window for the window state: through the X11
// presentation (fades, focus handed back) on X11, by plain show and hide elsewhere.
class QuickPresentation final : public LibraryPresentation {
public:
    QuickPresentation();
    ~QuickPresentation() override;

    void attach(QQuickWindow& window);

    bool isApplicationActive() const override;
    bool isWindowShown() const override;
    bool isHiding() const override;
    bool hasWindow() const override;
    void hide(bool immediately) override;
    void show(bool immediately) override;
    void openWindow() override;
    void installTriggerHandlers(std::function<void()> toggle, const QString& hotKey) override;

private:
    struct X11;
    std::unique_ptr<X11> x11_;
    QQuickWindow* window_ = nullptr;
};

} // namespace orbitdeck
