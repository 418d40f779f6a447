#pragma once

#include <functional>
#include <optional>

namespace orbitdeck {

enum class ScrollPhase { none, began, changed, ended, cancelled };

// One scroll event as the swipe logic sees it; deltas in points.
struct ScrollSample {
    ScrollPhase phase = ScrollPhase::none;
    bool momentum = false;
    double deltaX = 0.0;
    double deltaY = 0.0;
    double timestamp = 0.0; // seconds
    bool inside = false;    // the event lies over the grid
};

enum class ScrollOutcome { passOn, swallow };

// Turns horizontal swipes into a running page offset and one final call, and each horizontal
// notch of a wheel into one page turn. Vertical scrolling always passes on.
class PageSwipeTracker {
public:
    std::function<void(double travel)> onMove;
    std::function<void(double travel, double velocity)> onEnd;

    ScrollOutcome handle(const ScrollSample& sample);

private:
    enum class Axis { horizontal, vertical };

    ScrollOutcome handleGesture(const ScrollSample& sample);
    ScrollOutcome finish(const ScrollSample& sample);

    double travel_ = 0.0;
    double vertical_ = 0.0;
    std::optional<Axis> axis_;
    double latestDelta_ = 0.0;
    double latestTimestamp_ = 0.0;
    bool tracking_ = false;
};

// Whether a finished swipe turns the page: -1 back, +1 forward (negative travel), 0 stays.
int pageTurnForSwipe(double travel, double velocity, double gridWidth);

} // namespace orbitdeck
