#include "window/qml/view_services.h"

#include <QCoreApplication>
#include <QJSEngine>

#include <gtest/gtest.h>

namespace orbitdeck {
namespace {

TEST(ViewServices, CallLaterRunsTheFunctionOnceBackInTheEventLoopAndNotWithAGoneEngine) {
    {
        QJSEngine engine;
        engine.globalObject().setProperty("calls", 0);
        const QJSValue count = engine.evaluate("(function () { calls += 1 })");
        ViewServices services;
        services.callLater(count);
        services.callLater(count);
        EXPECT_EQ(engine.globalObject().property("calls").toInt(), 0);
        QCoreApplication::processEvents();
        EXPECT_EQ(engine.globalObject().property("calls").toInt(), 2);
    }
    {
        auto engine = std::make_unique<QJSEngine>();
        auto* services = new ViewServices(engine.get());
        services->callLater(engine->evaluate("(function () { throw new Error('late') })"));
        engine.reset();
        QCoreApplication::processEvents();
    }
}

} // namespace
} // namespace orbitdeck
