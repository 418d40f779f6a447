#pragma once

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <type_traits>
#include <utility>

namespace orbitdeck {

// Runs work on the global thread pool and hands its value to handler on context's thread, never
// once context is gone. The handler is attached before the work starts, so it always runs from
// the event loop later, never inside this call (a finished future would run it at once).
template <typename Work, typename Handler>
void runInBackground(QObject* context, Work work, Handler handler) {
    using Value = std::invoke_result_t<Work&>;
    auto promise = std::make_shared<QPromise<Value>>();
    // Qt's continuation needs its context alive when the work ends (a debug build asserts so),
    // while ours may go first: a relay of our own carries the result and goes once it has.
    auto* relay = new QObject;
    relay->moveToThread(context->thread());
    if constexpr (std::is_void_v<Value>) {
        promise->future().then(relay, [relay, target = QPointer(context), handler]() mutable {
            relay->deleteLater();
            if (target)
                handler();
        });
    } else {
        promise->future().then(relay,
                               [relay, target = QPointer(context), handler](Value value) mutable {
                                   relay->deleteLater();
                                   if (target)
                                       handler(std::move(value));
                               });
    }
    QThreadPool::globalInstance()->start([promise, work = std::move(work)]() mutable {
        promise->start();
        if constexpr (std::is_void_v<Value>)
            work();
        else
            promise->addResult(work());
        promise->finish();
    });
}

} // namespace orbitdeck
