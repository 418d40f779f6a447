#include "platform/scheduler.h"
#include "system/page_swipe.h"
#include "system/scroll_phase_synthesiser.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using namespace std::chrono_literals;
using namespace orbitdeck;

namespace {
struct Recorder {
    PageSwipeTracker tracker;
    std::vector<double> moves;
    std::vector<std::pair<double, double>> ends;

    Recorder() {
        tracker.onMove = [this](double travel) { moves.push_back(travel); };
        tracker.onEnd = [this](double travel, double velocity) {
            ends.emplace_back(travel, velocity);
        };
    }
    ScrollOutcome send(ScrollPhase phase, double dx, double dy = 0, double t = 0,
                       bool inside = true) {
        return tracker.handle(
            {.phase = phase, .deltaX = dx, .deltaY = dy, .timestamp = t, .inside = inside});
    }
};
} // namespace

TEST(PageSwipeTracker, GestureRules) {
    {
        SCOPED_TRACE("a swipe that starts outside the grid is ignored from start to end");
        Recorder r;
        EXPECT_EQ(r.send(ScrollPhase::began, -20, 0, 0, false), ScrollOutcome::passOn);
        EXPECT_EQ(r.send(ScrollPhase::changed, -20, 0, 0.01, true), ScrollOutcome::passOn);
        EXPECT_EQ(r.send(ScrollPhase::ended, 0, 0, 0.02), ScrollOutcome::passOn);
        EXPECT_TRUE(r.moves.empty());
        EXPECT_TRUE(r.ends.empty());
    }
    {
        SCOPED_TRACE("7 points pass on; the lock comes at 8");
        Recorder r;
        EXPECT_EQ(r.send(ScrollPhase::began, -4), ScrollOutcome::passOn);
        EXPECT_EQ(r.send(ScrollPhase::changed, -3), ScrollOutcome::passOn);
        EXPECT_EQ(r.send(ScrollPhase::changed, -1), ScrollOutcome::swallow);
        EXPECT_EQ(r.moves, std::vector{-8.0});
    }
    {
        SCOPED_TRACE("10 across and 8 down locks vertical; the window never sees it");
        Recorder r;
        r.send(ScrollPhase::began, 5, 4);
        EXPECT_EQ(r.send(ScrollPhase::changed, 5, 4), ScrollOutcome::passOn);
        EXPECT_EQ(r.send(ScrollPhase::changed, 30, 0), ScrollOutcome::passOn);
        EXPECT_EQ(r.send(ScrollPhase::ended, 0), ScrollOutcome::passOn);
        EXPECT_TRUE(r.moves.empty());
        EXPECT_TRUE(r.ends.empty());
    }
    {
        SCOPED_TRACE("velocity is the last delta only when it is younger than 0.1 s");
        Recorder r;
        r.send(ScrollPhase::began, -10, 0, 1.0);
        r.send(ScrollPhase::changed, -12, 0, 1.01);
        r.send(ScrollPhase::changed, -0.5, 0, 1.02);
        r.send(ScrollPhase::ended, 0, 0, 1.06);
        r.send(ScrollPhase::began, -10, 0, 2.0);
        r.send(ScrollPhase::ended, 0, 0, 2.15);
        EXPECT_EQ(r.ends, (std::vector<std::pair<double, double>>{{-22.5, -12}, {-10, 0}}));
    }
    {
        SCOPED_TRACE("a cancelled swipe reports travel 0; momentum passes on");
        Recorder r;
        r.send(ScrollPhase::began, -30);
        EXPECT_EQ(r.send(ScrollPhase::cancelled, 0), ScrollOutcome::swallow);
        EXPECT_EQ(
            r.tracker.handle(
                {.phase = ScrollPhase::changed, .momentum = true, .deltaX = -40, .inside = true}),
            ScrollOutcome::passOn);
        ASSERT_EQ(r.ends.size(), 1u);
        EXPECT_EQ(r.ends[0].first, 0.0);
        EXPECT_EQ(r.moves.size(), 1u);
    }
    {
        SCOPED_TRACE("each horizontal wheel step turns a page at once; vertical passes on");
        Recorder r;
        EXPECT_EQ(r.send(ScrollPhase::none, 15, 0), ScrollOutcome::swallow);
        EXPECT_EQ(r.send(ScrollPhase::none, -15, 0), ScrollOutcome::swallow);
        EXPECT_EQ(r.send(ScrollPhase::none, 0, -15), ScrollOutcome::passOn);
        EXPECT_EQ(r.send(ScrollPhase::none, 15, 0, 0, false), ScrollOutcome::passOn);
        EXPECT_TRUE(r.moves.empty());
        EXPECT_EQ(r.ends, (std::vector<std::pair<double, double>>{{100, 0}, {-100, 0}}));
    }
}

TEST(PageSwipeTracker, PageTurnDecision) {
    EXPECT_EQ(pageTurnForSwipe(-96, 0, 1000), 1);
    EXPECT_EQ(pageTurnForSwipe(96, 0, 1000), -1);
    EXPECT_EQ(pageTurnForSwipe(-95, 0, 1000), 0);
    EXPECT_EQ(pageTurnForSwipe(-60, 0, 400), 1) << "15% of a narrow grid";
    EXPECT_EQ(pageTurnForSwipe(-28, -8, 1000), 1) << "a flick";
    EXPECT_EQ(pageTurnForSwipe(-28, 8, 1000), 0) << "a flick the other way";
    EXPECT_EQ(pageTurnForSwipe(-27, -20, 1000), 0);
    EXPECT_EQ(pageTurnForSwipe(100, 0, 1000), -1) << "a wheel step back";
}

TEST(ScrollPhaseSynthesiser, OneSmoothSwipeTurnsOnePageAndNotchesTurnEach) {
    VirtualScheduler scheduler;
    PageSwipeTracker tracker;
    int pagesTurned = 0;
    int moves = 0;
    tracker.onMove = [&](double) { ++moves; };
    tracker.onEnd = [&](double travel, double velocity) {
        pagesTurned += pageTurnForSwipe(travel, velocity, 1200) != 0 ? 1 : 0;
    };
    ScrollPhaseSynthesiser synthesiser(scheduler, nullptr,
                                       [&](const ScrollSample& s) { return tracker.handle(s); });
    {
        SCOPED_TRACE("30 smooth events, 8 ms apart, make exactly one page turn");
        double t = 10.0;
        for (int i = 0; i < 30; ++i) {
            synthesiser.feed(
                {.deltaX = -6, .deltaY = 0.5, .timestamp = t, .smooth = true, .inside = true});
            scheduler.advance(8ms);
            t += 0.008;
        }
        EXPECT_TRUE(synthesiser.inGesture());
        EXPECT_EQ(pagesTurned, 0) << "nothing turns while the fingers still move";
        scheduler.advance(ScrollPhaseSynthesiser::quietSpell);
        EXPECT_FALSE(synthesiser.inGesture());
        EXPECT_EQ(pagesTurned, 1);
        EXPECT_GT(moves, 20);
    }
    {
        SCOPED_TRACE("a short pause within the quiet spell keeps one gesture");
        pagesTurned = 0;
        for (int i = 0; i < 10; ++i) {
            synthesiser.feed(
                {.deltaX = -15, .timestamp = 20.0 + i, .smooth = true, .inside = true});
            scheduler.advance(100ms);
        }
        scheduler.advance(1s);
        EXPECT_EQ(pagesTurned, 1);
    }
    {
        SCOPED_TRACE("three notches of a horizontal wheel turn three pages");
        pagesTurned = 0;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(synthesiser.feed({.deltaX = 15, .timestamp = 30.0 + i, .inside = true}),
                      ScrollOutcome::swallow);
        }
        EXPECT_EQ(pagesTurned, 3);
        scheduler.advance(1s);
        EXPECT_EQ(pagesTurned, 3) << "no gesture end follows notches";
    }
    {
        SCOPED_TRACE("a notch during a smooth burst ends the burst first");
        pagesTurned = 0;
        synthesiser.feed({.deltaX = -50, .timestamp = 40.0, .smooth = true, .inside = true});
        synthesiser.feed({.deltaX = -50, .timestamp = 40.01, .smooth = true, .inside = true});
        synthesiser.feed({.deltaX = 15, .timestamp = 40.02, .inside = true});
        EXPECT_EQ(pagesTurned, 2);
        scheduler.advance(1s);
        EXPECT_EQ(pagesTurned, 2);
    }
}
