#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QQuickWindow>

#include <cstdio>

// Opt-in per-frame timing for the frame bench: with ORBITDECK_FRAME_TIMES set, one line per frame
// on standard error, "frame time: <n> us", from the update request or expose that starts the
// frame (its input delivery and polish) to the swap that ends it. The render loop's own log gives
// whole milliseconds, too coarse to compare frames of a few milliseconds. Header only: the bench's
// bare baseline prints the same lines without linking the launcher's views.
namespace orbitdeck {

inline constexpr const char* frameTimesVariable = "ORBITDECK_FRAME_TIMES";

class FrameTimes : public QObject {
public:
    explicit FrameTimes(QQuickWindow* window)
        : QObject(window) {
        window->installEventFilter(this);
        connect(window, &QQuickWindow::frameSwapped, this, [this] {
            if (!clock_.isValid())
                return;
            std::fprintf(stderr, "frame time: %lld us\n",
                         static_cast<long long>(clock_.nsecsElapsed() / 1000));
            clock_.invalidate();
        });
    }

    // Installs the timing on `window` when the environment asks for it.
    static void installIfAsked(QQuickWindow* window) {
        if (window && qEnvironmentVariableIsSet(frameTimesVariable))
            new FrameTimes(window);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Either makes the render loop draw a frame there and then.
        if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose)
            clock_.start();
        return QObject::eventFilter(watched, event);
    }

private:
    QElapsedTimer clock_;
};

} // namespace orbitdeck
