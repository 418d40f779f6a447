#include "window/qml/library_grid_math.h"

#include <QEasingCurve>
#include <QPointF>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(LibraryMotion, TheOpenSpringStartsAtRestAndSettlesWithoutVisibleOvershoot) {
    const LibraryGridMath math;
    EXPECT_DOUBLE_EQ(math.springProgress(0, 0.38, 0.9), 0);
    EXPECT_DOUBLE_EQ(math.springProgress(-1, 0.38, 0.9), 0);
    // Most of the way within half a response, settled well before the animation's 0.6 s end.
    EXPECT_GT(math.springProgress(0.19, 0.38, 0.9), 0.85);
    EXPECT_NEAR(math.springProgress(0.6, 0.38, 0.9), 1, 1e-3);
    double previous = 0;
    double highest = 0;
    for (int step = 1; step <= 60; ++step) {
        const double now = math.springProgress(step / 100.0, 0.38, 0.9);
        highest = std::max(highest, now);
        if (step <= 20) { // rising all the way to the target
            EXPECT_GT(now, previous) << step;
        }
        previous = now;
    }
    // Damping 0.9 overshoots by a sixth of a percent at most: the 1.08 zoom never dips below 1
    // by more than a hair.
    EXPECT_LT(highest, 1.002);
    // Critical damping and beyond approach without overshoot; no response jumps.
    EXPECT_LT(math.springProgress(0.2, 0.38, 1.0), 1);
    EXPECT_DOUBLE_EQ(math.springProgress(0.1, 0, 0.9), 1);
}

TEST(LibraryMotion, SpringAnimationsFollowTheirSpringAndRestOnTheTarget) {
    const LibraryGridMath math;
    // The folder panel's, a layout commit's and the guide cards' springs.
    for (const auto& [response, damping] : {std::pair{0.36, 0.86}, {0.34, 0.84}, {0.26, 0.8}}) {
        const int duration = math.springDuration(response, damping);
        EXPECT_GT(duration, 300);
        EXPECT_LT(duration, 1000);
        QEasingCurve curve(QEasingCurve::BezierSpline);
        const QVariantList points = math.springCurve(response, damping);
        ASSERT_EQ(points.size() % 6, 0);
        for (qsizetype i = 0; i < points.size(); i += 6) {
            curve.addCubicBezierSegment(QPointF(points[i].toReal(), points[i + 1].toReal()),
                                        QPointF(points[i + 2].toReal(), points[i + 3].toReal()),
                                        QPointF(points[i + 4].toReal(), points[i + 5].toReal()));
        }
        double highest = 0;
        for (int step = 0; step <= 100; ++step) {
            const double t = step / 100.0 * duration / 1000.0;
            const double eased = curve.valueForProgress(step / 100.0);
            EXPECT_NEAR(eased, math.springProgress(t, response, damping), 0.01)
                << response << " at " << step;
            highest = std::max(highest, eased);
        }
        // An underdamped spring overshoots (an eased curve would not), and rests on 1.
        EXPECT_GT(highest, 1.005) << response;
        EXPECT_DOUBLE_EQ(curve.valueForProgress(1), 1);
    }
}

} // namespace
} // namespace orbitdeck
