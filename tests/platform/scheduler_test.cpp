#include "platform/main_thread.h"
#include "platform/scheduler.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace std::chrono_literals;
using orbitdeck::VirtualScheduler;

TEST(VirtualScheduler, RunsDueActionsInTimeThenSchedulingOrder) {
    VirtualScheduler scheduler;
    std::vector<int> order;
    scheduler.schedule(300ms, nullptr, [&] { order.push_back(3); });
    scheduler.schedule(100ms, nullptr, [&] { order.push_back(1); });
    scheduler.schedule(100ms, nullptr, [&] { order.push_back(2); });

    scheduler.advance(99ms);
    EXPECT_TRUE(order.empty());
    scheduler.advance(1ms);
    EXPECT_EQ(order, (std::vector{1, 2}));
    scheduler.advance(1s);
    EXPECT_EQ(order, (std::vector{1, 2, 3}));
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST(VirtualScheduler, CancelAndDeadContextsDropActions) {
    VirtualScheduler scheduler;
    int runs = 0;
    const auto token = scheduler.schedule(10ms, nullptr, [&] { ++runs; });
    scheduler.cancel(token);
    {
        QObject context;
        scheduler.schedule(10ms, &context, [&] { ++runs; });
    }
    scheduler.advance(20ms);
    EXPECT_EQ(runs, 0);
}

TEST(VirtualScheduler, ActionsScheduledWhileAdvancingRunWhenDue) {
    VirtualScheduler scheduler;
    std::vector<long> times;
    const auto start = scheduler.now();
    auto stamp = [&] {
        times.push_back(
            std::chrono::duration_cast<std::chrono::milliseconds>(scheduler.now() - start).count());
    };
    scheduler.schedule(100ms, nullptr, [&] {
        stamp();
        scheduler.schedule(50ms, nullptr, stamp);
    });
    scheduler.advance(200ms);
    EXPECT_EQ(times, (std::vector<long>{100, 150}));
    EXPECT_EQ(scheduler.now() - start, 200ms);
}

TEST(QtScheduler, FiresOnceAndCancels) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    orbitdeck::QtScheduler scheduler;
    int fired = 0;
    const auto cancelled = scheduler.schedule(5ms, &app, [&] { fired += 100; });
    scheduler.schedule(10ms, &app, [&] { ++fired; });
    scheduler.cancel(cancelled);
    QEventLoop loop;
    QTimer::singleShot(200, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(fired, 1);
}

TEST(MainThreadCheckDeathTest, StopsWhenCalledFromAnotherThread) {
    EXPECT_TRUE(orbitdeck::isMainThread());
    EXPECT_DEATH(
        {
            std::thread worker([] { ORBITDECK_ASSERT_MAIN_THREAD(); });
            worker.join();
        },
        "main-thread code called from another thread");
}
