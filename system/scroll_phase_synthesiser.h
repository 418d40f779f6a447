#pragma once

#include "platform/scheduler.h"
#include "system/page_swipe.h"

#include <QObject>

#include <functional>

namespace orbitdeck {

// X11 scrolling arrives without gesture phases. Smooth (touchpad) events that follow each other
// closely form one gesture: the first begins it, the rest change it, and a quiet spell ends it,
// so one swipe turns one page. A notched wheel step passes through without a phase.
class ScrollPhaseSynthesiser {
public:
    struct RawScroll {
        double deltaX = 0.0;
        double deltaY = 0.0;
        double timestamp = 0.0; // seconds
        bool smooth = false;
        bool inside = false;
    };

    // How long smooth scrolling must pause before the gesture counts as ended.
    static constexpr std::chrono::milliseconds quietSpell{120};

    using Deliver = std::function<ScrollOutcome(const ScrollSample&)>;

    ScrollPhaseSynthesiser(Scheduler& scheduler, QObject* context, Deliver deliver);
    ~ScrollPhaseSynthesiser();

    ScrollOutcome feed(const RawScroll& scroll);
    bool inGesture() const { return inGesture_; }

private:
    void endGesture();

    Scheduler& scheduler_;
    QObject* context_;
    Deliver deliver_;
    bool inGesture_ = false;
    double lastTimestamp_ = 0.0;
    Scheduler::Token endToken_ = 0;
};

} // namespace orbitdeck
