#include "platform/application_instance.h"

#include "platform/main_thread.h"
#include "platform/platform_log.h"
#include "platform/session_bus.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <array>
#include <utility>

namespace orbitdeck {

namespace {

constexpr auto interfaceName = "org.freedesktop.Application";
// A request line is an action name: anything longer is not ours.
constexpr qint64 maxRequestBytes = 64;
// The owner answers from its event loop, which a starting launcher reaches only once its window
// is up.
constexpr int replyTimeoutMs = 15000;
// The owner takes its lock before it listens: a later start waits this long for the socket.
constexpr int connectPatienceMs = 3000;

constexpr std::array<std::pair<InstanceRequest, const char*>, 5> actionNames{{
    {InstanceRequest::activate, "open"},
    {InstanceRequest::settings, "settings"},
    {InstanceRequest::welcome, "welcome"},
    {InstanceRequest::quit, "quit"},
    {InstanceRequest::toggle, "toggle"},
}};

} // namespace

QString actionName(InstanceRequest request) {
    for (const auto& [candidate, name] : actionNames)
        if (candidate == request)
            return QString::fromLatin1(name);
    return {};
}

std::optional<InstanceRequest> requestFromActionName(const QString& name) {
    for (const auto& [request, candidate] : actionNames)
        if (name == QLatin1String(candidate))
            return request;
    return std::nullopt;
}

// org.freedesktop.Application on the owner's object. Open has no files to open here: it
// activates, as the interface asks of applications that take no files.
class ApplicationAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit ApplicationAdaptor(ApplicationInstance* instance)
        : QDBusAbstractAdaptor(instance)
        , instance_(instance) {}

public slots:
    void Activate(const QVariantMap&) { instance_->busActivate(); }
    void ActivateAction(const QString& name, const QVariantList&, const QVariantMap&) {
        instance_->busActivateAction(name);
    }
    void Open(const QStringList&, const QVariantMap&) { instance_->busActivate(); }

private:
    ApplicationInstance* instance_;
};

ApplicationInstance::ApplicationInstance(QString appId, QString runtimeDir, QObject* parent)
    : QObject(parent)
    , appId_(std::move(appId))
    , runtimeDir_(std::move(runtimeDir)) {}

ApplicationInstance::~ApplicationInstance() {
    if (server_) {
        server_->close();
        QFile::remove(socketPath());
    }
}

QString ApplicationInstance::objectPath() const {
    return u'/' + QString(appId_).replace(u'.', u'/');
}

QString ApplicationInstance::socketPath() const {
    return runtimeDir_ + u'/' + appId_ + QStringLiteral(".socket");
}

ApplicationInstance::Claim ApplicationInstance::claim(Transport transport) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    // The lock first: it works with and without a bus, so a start without one still finds a
    // launcher that has one, and the other way round.
    const Claim lock = claimLock();
    if (lock == Claim::elsewhere) {
        ownerOnBus_ = false;
        return Claim::elsewhere;
    }
    Claim name = Claim::failed;
    if (transport == Transport::socketAndSessionBus && sessionBusAdvertised()) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected())
            name = claimBus(bus);
    }
    // A launcher that holds the name but not the lock (its runtime folder is another).
    if (name == Claim::elsewhere) {
        ownerOnBus_ = true;
        return Claim::elsewhere;
    }
    ownsBusName_ = name == Claim::owner;
    const bool listening = lock == Claim::owner && listen();
    return listening || ownsBusName_ ? Claim::owner : Claim::failed;
}

ApplicationInstance::Claim ApplicationInstance::claimBus(QDBusConnection& bus) {
    QDBusConnectionInterface* names = bus.interface();
    if (names == nullptr)
        return Claim::failed;
    if (!findChild<ApplicationAdaptor*>()) {
        new ApplicationAdaptor(this);
        // The object is there before the name, so a call right after the name appears lands.
        if (!bus.registerObject(objectPath(), this))
            return Claim::failed;
    }
    const auto reply = names->registerService(appId_, QDBusConnectionInterface::DontQueueService,
                                              QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return Claim::failed;
    if (reply.value() == QDBusConnectionInterface::ServiceRegistered)
        return Claim::owner;
    return Claim::elsewhere;
}

ApplicationInstance::Claim ApplicationInstance::claimLock() {
    if (runtimeDir_.isEmpty() || !QDir(runtimeDir_).exists())
        return Claim::failed;
    // Held as long as the process runs: a stale socket file never keeps the launcher from
    // starting, since the lock goes with the process that held it.
    if (!lock_ || !lock_->held())
        lock_ = std::make_unique<FileLock>(runtimeDir_ + u'/' + appId_ + QStringLiteral(".lock"));
    switch (lock_->state()) {
    case FileLock::State::held:
        return Claim::owner;
    case FileLock::State::busy:
        return Claim::elsewhere;
    case FileLock::State::failed:
        break;
    }
    return Claim::failed;
}

bool ApplicationInstance::listen() {
    if (server_)
        return true;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(socketPath());
    if (!server_->listen(socketPath())) {
        server_.reset();
        return false;
    }
    connect(server_.get(), &QLocalServer::newConnection, this,
            &ApplicationInstance::readSocketClient);
    return true;
}

void ApplicationInstance::readSocketClient() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine()) {
                if (client->bytesAvailable() > maxRequestBytes)
                    client->abort();
                return;
            }
            const QString name = QString::fromUtf8(client->readLine(maxRequestBytes)).trimmed();
            const auto request = requestFromActionName(name);
            client->write(request ? "ok\n" : "unknown\n");
            client->flush();
            client->disconnectFromServer();
            if (request)
                emit requested(*request);
        });
    }
}

ApplicationInstance::Delivery ApplicationInstance::forward(InstanceRequest request) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    return ownerOnBus_ ? forwardOverBus(request) : forwardOverSocket(request);
}

ApplicationInstance::Delivery ApplicationInstance::forwardOverBus(InstanceRequest request) {
    QDBusMessage call;
    if (request == InstanceRequest::activate) {
        call = QDBusMessage::createMethodCall(
            appId_, objectPath(), QString::fromLatin1(interfaceName), QStringLiteral("Activate"));
        call << QVariantMap();
    } else {
        call =
            QDBusMessage::createMethodCall(appId_, objectPath(), QString::fromLatin1(interfaceName),
                                           QStringLiteral("ActivateAction"));
        call << actionName(request) << QVariantList() << QVariantMap();
    }
    const QDBusMessage reply =
        QDBusConnection::sessionBus().call(call, QDBus::Block, replyTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage)
        return Delivery::delivered;
    const QString error = reply.errorName();
    qCWarning(platformLog).noquote()
        << "the running launcher did not take" << call.member() << ":" << reply.errorMessage();
    if (error == u"org.freedesktop.DBus.Error.ServiceUnknown" ||
        error == u"org.freedesktop.DBus.Error.NameHasNoOwner")
        return Delivery::ownerGone;
    return Delivery::noAnswer;
}

ApplicationInstance::Delivery ApplicationInstance::forwardOverSocket(InstanceRequest request) {
    QLocalSocket socket;
    const QDeadlineTimer patience(connectPatienceMs);
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(static_cast<int>(patience.remainingTime())))
            break;
        if (patience.hasExpired())
            return Delivery::ownerGone;
        QThread::msleep(50);
    }
    socket.write(actionName(request).toUtf8() + '\n');
    if (!socket.waitForBytesWritten(replyTimeoutMs))
        return Delivery::noAnswer;
    while (!socket.canReadLine())
        if (!socket.waitForReadyRead(replyTimeoutMs))
            return Delivery::noAnswer;
    return socket.readLine(maxRequestBytes).trimmed() == "ok" ? Delivery::delivered
                                                              : Delivery::noAnswer;
}

void ApplicationInstance::busActivate() {
    emit requested(InstanceRequest::activate);
}

void ApplicationInstance::busActivateAction(const QString& name) {
    // An action this program does not have is ignored, as desktops expect.
    if (const auto request = requestFromActionName(name))
        emit requested(*request);
}

} // namespace orbitdeck

#include "application_instance.moc"
