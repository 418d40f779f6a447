#include "platform/scheduler.h"
#include "system/page_swipe_monitor.h"

#include <QCoreApplication>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <vector>

using namespace std::chrono_literals;
using namespace orbitdeck;

namespace {
struct Wheel {
    QPoint angle{};
    QPointF position{50, 50};
    ulong time = 0;
    Qt::ScrollPhase phase = Qt::NoScrollPhase;
    QPoint pixels{};
};

struct Monitor {
    QWindow window;
    VirtualScheduler scheduler;
    PageSwipeMonitor monitor{&window, scheduler, [](QPointF p) { return p.x() < 500; }};
    std::vector<double> moves;
    std::vector<std::pair<double, double>> ends;

    Monitor() {
        monitor.setOnMove([this](double travel) { moves.push_back(travel); });
        monitor.setOnEnd([this](double travel, double v) { ends.emplace_back(travel, v); });
    }
    // True when the monitor swallowed the event.
    bool send(const Wheel& w) {
        QWheelEvent event(w.position, w.position, w.pixels, w.angle, Qt::NoButton, Qt::NoModifier,
                          w.phase, false);
        event.setTimestamp(w.time);
        return monitor.handleWheel(event);
    }
};
} // namespace

TEST(PageSwipeMonitor, WheelEventsOfTheWindow) {
    {
        SCOPED_TRACE("a notched horizontal wheel turns a page per notch, at once");
        Monitor m;
        EXPECT_TRUE(m.send({.angle = {120, 0}}));
        EXPECT_TRUE(m.send({.angle = {-240, 0}}));
        EXPECT_FALSE(m.send({.angle = {0, -120}})) << "vertical scrolls the grid";
        EXPECT_FALSE(m.send({.angle = {120, 0}, .position = {600, 50}})) << "outside the grid";
        EXPECT_EQ(m.ends, (std::vector<std::pair<double, double>>{{100, 0}, {-100, 0}}));
    }
    {
        SCOPED_TRACE("30 smooth touchpad events make one swipe with one end");
        Monitor m;
        for (int i = 0; i < 30; ++i) {
            EXPECT_EQ(m.send({.angle = {-44, 3}, .time = 1000 + 8ul * i}), i > 0)
                << "the first 5.5 points pass on until the axis locks";
            m.scheduler.advance(8ms);
        }
        EXPECT_TRUE(m.ends.empty());
        EXPECT_EQ(m.moves.size(), 29u);
        m.scheduler.advance(1s);
        ASSERT_EQ(m.ends.size(), 1u);
        EXPECT_DOUBLE_EQ(m.ends[0].first, -44.0 / 8 * 30);
        EXPECT_DOUBLE_EQ(m.ends[0].second, -44.0 / 8);
    }
    {
        SCOPED_TRACE("real phases from the platform are used as they are; momentum passes on");
        Monitor m;
        EXPECT_TRUE(m.send({.phase = Qt::ScrollBegin, .pixels = {-20, 0}}));
        EXPECT_FALSE(m.send({.time = 20, .phase = Qt::ScrollMomentum, .pixels = {-20, 0}}));
        EXPECT_TRUE(m.send({.time = 30, .phase = Qt::ScrollEnd}));
        EXPECT_EQ(m.ends, (std::vector<std::pair<double, double>>{{-20, -20}}));
        m.scheduler.advance(1s);
        EXPECT_EQ(m.ends.size(), 1u) << "nothing synthesised on top";
    }
    {
        SCOPED_TRACE("events reach the monitor through the window");
        Monitor m;
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(-120, 0), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&m.window, &event);
        EXPECT_EQ(m.ends, (std::vector<std::pair<double, double>>{{-100, 0}}));
    }
}
