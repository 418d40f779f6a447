#pragma once

#include "platform/main_thread.h"

#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>

#include <functional>

namespace orbitdeck {

// Runs work on the thread pool and hands its value to handler on the main thread, unless
// context is gone by then.
template <typename Value>
void runInBackground(QObject* context, std::function<Value()> work,
                     std::function<void(Value)> handler) {
    auto* watcher = new QFutureWatcher<Value>(context);
    QObject::connect(watcher, &QFutureWatcher<Value>::finished, context,
                     [watcher, handler = std::move(handler)] {
                         ORBITDECK_ASSERT_MAIN_THREAD();
                         watcher->deleteLater();
                         handler(watcher->result());
                     });
    watcher->setFuture(QtConcurrent::run(std::move(work)));
}

} // namespace orbitdeck
