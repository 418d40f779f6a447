#include "system/page_swipe.h"

#include <algorithm>
#include <cmath>

namespace orbitdeck {

namespace {
constexpr double axisLockTravel = 8.0;
constexpr double horizontalDominance = 1.25;
constexpr double velocityWindow = 0.1; // seconds
constexpr double wheelPageTravel = 100.0;
} // namespace

ScrollOutcome PageSwipeTracker::handle(const ScrollSample& sample) {
    if (sample.momentum)
        return ScrollOutcome::passOn;
    if (sample.phase != ScrollPhase::none)
        return handleGesture(sample);
    // A plain wheel: every horizontal step turns one page at once.
    if (sample.inside && std::abs(sample.deltaX) > std::abs(sample.deltaY)) {
        if (onEnd)
            onEnd(sample.deltaX > 0 ? wheelPageTravel : -wheelPageTravel, 0.0);
        return ScrollOutcome::swallow;
    }
    return ScrollOutcome::passOn;
}

ScrollOutcome PageSwipeTracker::handleGesture(const ScrollSample& sample) {
    if (sample.phase == ScrollPhase::began) {
        tracking_ = sample.inside;
        travel_ = vertical_ = latestDelta_ = latestTimestamp_ = 0.0;
        axis_.reset();
    }
    if (!tracking_)
        return ScrollOutcome::passOn;
    if (sample.phase == ScrollPhase::ended || sample.phase == ScrollPhase::cancelled)
        return finish(sample);

    travel_ += sample.deltaX;
    vertical_ += sample.deltaY;
    if (!axis_ && std::max(std::abs(travel_), std::abs(vertical_)) >= axisLockTravel)
        axis_ = std::abs(travel_) > horizontalDominance * std::abs(vertical_) ? Axis::horizontal
                                                                              : Axis::vertical;
    if (axis_ != Axis::horizontal)
        return ScrollOutcome::passOn;
    if (std::abs(sample.deltaX) >= 1.0) {
        latestDelta_ = sample.deltaX;
        latestTimestamp_ = sample.timestamp;
    }
    if (onMove)
        onMove(travel_);
    return ScrollOutcome::swallow;
}

ScrollOutcome PageSwipeTracker::finish(const ScrollSample& sample) {
    tracking_ = false;
    if (axis_ != Axis::horizontal)
        return ScrollOutcome::passOn;
    const double velocity =
        sample.timestamp - latestTimestamp_ < velocityWindow ? latestDelta_ : 0.0;
    if (onEnd)
        onEnd(sample.phase == ScrollPhase::cancelled ? 0.0 : travel_, velocity);
    return ScrollOutcome::swallow;
}

int pageTurnForSwipe(double travel, double velocity, double gridWidth) {
    const double distance = std::abs(travel);
    const bool farEnough = distance >= std::min(0.15 * gridWidth, 96.0);
    const bool flicked = distance >= 28.0 && std::abs(velocity) >= 8.0 &&
                         std::signbit(travel) == std::signbit(velocity);
    if (!farEnough && !flicked)
        return 0;
    return travel < 0 ? 1 : -1;
}

} // namespace orbitdeck
