// A desktop's org.kde.StatusNotifierWatcher, as far as an item sees it. It prints
// "ready UNIQUE-NAME" once it holds the watcher's name, then "registered SERVICE SENDER" for
// each item that registers. Every instance lets a later one take the name over, as a desktop's
// restarted status area does; --replace takes it from the one already there.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVirtualObject>

#include <cstdio>

namespace {

const QString watcherName = QStringLiteral("org.kde.StatusNotifierWatcher");

void say(const QString& line) {
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

class Watcher final : public QDBusVirtualObject {
public:
    QString introspect(const QString&) const override {
        return QStringLiteral("<interface name=\"org.kde.StatusNotifierWatcher\">"
                              "<method name=\"RegisterStatusNotifierItem\">"
                              "<arg name=\"service\" type=\"s\" direction=\"in\"/></method>"
                              "<method name=\"RegisterStatusNotifierHost\">"
                              "<arg name=\"service\" type=\"s\" direction=\"in\"/></method>"
                              "</interface>");
    }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        if (message.interface() != watcherName || message.signature() != u"s")
            return false;
        if (message.member() == u"RegisterStatusNotifierItem")
            say(QStringLiteral("registered %1 %2")
                    .arg(message.arguments().value(0).toString(), message.service()));
        else if (message.member() != u"RegisterStatusNotifierHost")
            return false;
        connection.send(message.createReply());
        return true;
    }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    if (!bus.registerVirtualObject(QStringLiteral("/StatusNotifierWatcher"), &watcher))
        return 2;
    const bool replace = app.arguments().contains(QStringLiteral("--replace"));
    const auto claim =
        bus.interface()->registerService(watcherName,
                                         replace ? QDBusConnectionInterface::ReplaceExistingService
                                                 : QDBusConnectionInterface::DontQueueService,
                                         QDBusConnectionInterface::AllowReplacement);
    if (claim.value() != QDBusConnectionInterface::ServiceRegistered)
        return 3;
    say(QStringLiteral("ready ") + bus.baseService());
    return app.exec();
}
