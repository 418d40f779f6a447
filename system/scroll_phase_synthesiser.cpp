#include "system/scroll_phase_synthesiser.h"

namespace orbitdeck {

ScrollPhaseSynthesiser::ScrollPhaseSynthesiser(Scheduler& scheduler, QObject* context,
                                               Deliver deliver)
    : scheduler_(scheduler)
    , context_(context)
    , deliver_(std::move(deliver)) {}

ScrollPhaseSynthesiser::~ScrollPhaseSynthesiser() {
    if (endToken_ != 0)
        scheduler_.cancel(endToken_);
}

ScrollOutcome ScrollPhaseSynthesiser::feed(const RawScroll& scroll) {
    if (!scroll.smooth) {
        if (inGesture_)
            endGesture();
        return deliver_({.phase = ScrollPhase::none,
                         .deltaX = scroll.deltaX,
                         .deltaY = scroll.deltaY,
                         .timestamp = scroll.timestamp,
                         .inside = scroll.inside});
    }
    const ScrollPhase phase = inGesture_ ? ScrollPhase::changed : ScrollPhase::began;
    inGesture_ = true;
    lastTimestamp_ = scroll.timestamp;
    if (endToken_ != 0)
        scheduler_.cancel(endToken_);
    endToken_ = scheduler_.schedule(quietSpell, context_, [this] {
        endToken_ = 0;
        endGesture();
    });
    return deliver_({.phase = phase,
                     .deltaX = scroll.deltaX,
                     .deltaY = scroll.deltaY,
                     .timestamp = scroll.timestamp,
                     .inside = scroll.inside});
}

void ScrollPhaseSynthesiser::endGesture() {
    if (endToken_ != 0) {
        scheduler_.cancel(endToken_);
        endToken_ = 0;
    }
    inGesture_ = false;
    // The fingers left right after the last event, so the end carries its time.
    deliver_({.phase = ScrollPhase::ended, .timestamp = lastTimestamp_});
}

} // namespace orbitdeck
