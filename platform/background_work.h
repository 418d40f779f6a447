#pragma once

#include <QFuture>
#include <QObject>
#include <QPromise>
#include <QThreadPool>

#include <memory>
#include <type_traits>
#include <utility>

namespace orbitdeck {

// Runs work on the global thread pool and hands its value to handler on context's thread, never
// when context is gone. The handler is attached before the work starts, so it always runs from
// the event loop later, never inside this call (a finished future would run it at once).
template <typename Work, typename Handler>
void runInBackground(QObject* context, Work work, Handler handler) {
    using Value = std::invoke_result_t<Work&>;
    auto promise = std::make_shared<QPromise<Value>>();
    promise->future().then(context, std::move(handler));
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
