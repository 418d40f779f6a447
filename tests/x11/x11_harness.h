#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace orbitdeck::testing {

// Runs Qt's event loop until the condition holds or the bound runs out; the bound is generous,
// for a machine busy with other builds and tests.
inline bool waitUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds bound = std::chrono::seconds(20)) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > bound.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs xdotool with the given arguments and waits for it to finish.
inline void xdotool(const QStringList& arguments) {
    QProcess process;
    process.start("xdotool", arguments);
    ASSERT_TRUE(process.waitForFinished(10000)) << arguments.join(' ').toStdString();
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

} // namespace orbitdeck::testing
