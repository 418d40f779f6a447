#pragma once

#include "platform/file_lock.h"

#include <QObject>
#include <QString>

#include <memory>
#include <optional>

class QDBusConnection;
class QLocalServer;

namespace orbitdeck {

// What another start of the program, a desktop action or the command line asks of the one
// running launcher.
enum class InstanceRequest { activate, settings, welcome, quit, toggle };

// The desktop entry's action names ("open" is the plain activation); none for an unknown name.
QString actionName(InstanceRequest request);
std::optional<InstanceRequest> requestFromActionName(const QString& name);

// Keeps the launcher to one process per session. The first start holds a lock in the runtime
// folder and listens on a private local socket beside it; where there is a session bus it also
// owns the application id as a D-Bus name and serves org.freedesktop.Application on it, so
// desktops can activate it and its actions. The lock decides between starts with and without a
// bus. Later starts hand their request to the owner and end.
class ApplicationInstance final : public QObject {
    Q_OBJECT

public:
    // appId: reverse-DNS id, also the bus name ("dev.ambergrid.Orbitdeck"). runtimeDir: where
    // the socket and its lock live ($XDG_RUNTIME_DIR).
    ApplicationInstance(QString appId, QString runtimeDir, QObject* parent = nullptr);
    ~ApplicationInstance() override;

    enum class Claim { owner, elsewhere, failed };
    enum class Transport { socketAndSessionBus, socketOnly };
    // Takes the lock, then the name, or finds who holds either. failed: neither the socket nor
    // the bus works; the launcher then runs alone, as it would without this class.
    Claim claim(Transport transport = Transport::socketAndSessionBus);
    // Sends the request to the owner found by claim and waits for its answer (a starting owner
    // answers once its window is up). ownerGone: nobody holds the lock or name any more (a
    // launcher that was just quitting), so claiming again can succeed. noAnswer: the owner took
    // the request or not, but did not say so in time; asking again could repeat it.
    enum class Delivery { delivered, ownerGone, noAnswer };
    Delivery forward(InstanceRequest request);

    QString objectPath() const;
    QString socketPath() const;
    // The owner's hold: the bus name, the socket.
    bool ownsBusName() const { return ownsBusName_; }
    bool listens() const { return server_ != nullptr; }

    // Bus methods of org.freedesktop.Application, called by the adaptor.
    void busActivate();
    void busActivateAction(const QString& name);

signals:
    void requested(orbitdeck::InstanceRequest request);

private:
    Claim claimBus(QDBusConnection& bus);
    Claim claimLock();
    bool listen();
    Delivery forwardOverBus(InstanceRequest request);
    Delivery forwardOverSocket(InstanceRequest request);
    void readSocketClient();

    QString appId_;
    QString runtimeDir_;
    bool ownsBusName_ = false;
    // Where the owner was found: its bus name, else its socket.
    bool ownerOnBus_ = false;
    std::unique_ptr<FileLock> lock_;
    std::unique_ptr<QLocalServer> server_;
};

} // namespace orbitdeck
