#include "platform/status_notifier_item.h"

#include "platform/main_thread.h"
#include "platform/platform_log.h"
#include "platform/session_bus.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QtEndian>

namespace orbitdeck {

namespace {

constexpr auto exported = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                          QDBusConnection::ExportAllProperties;

class InertItem final : public StatusItem {};

class DBusStatusArea final : public StatusArea {
public:
    std::unique_ptr<StatusItem> addItem(StatusItemSpec spec) override {
        ORBITDECK_ASSERT_MAIN_THREAD();
        if (!sessionBusAdvertised())
            return std::make_unique<InertItem>();
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (!bus.isConnected())
            return std::make_unique<InertItem>();
        return std::make_unique<StatusNotifierItem>(bus, std::move(spec), ++instances_);
    }

private:
    int instances_ = 0;
};

} // namespace

std::unique_ptr<StatusArea> makeDBusStatusArea() {
    return std::make_unique<DBusStatusArea>();
}

StatusNotifierItem::StatusNotifierItem(QDBusConnection connection, StatusItemSpec spec,
                                       int instance)
    : connection_(std::move(connection))
    , spec_(std::move(spec))
    , serviceName_(QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(instance))
    , menu_(spec_.menu, spec_.chosen) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    registerDBusMenuTypes();
    if (!spec_.icon.isNull())
        icon_ = {wireImage(spec_.icon)};
    connection_.registerObject(QString::fromLatin1(itemPath), this, exported);
    connection_.registerObject(QString::fromLatin1(menuPath), &menu_, exported);
    connection_.registerService(serviceName_);
    // A status area that starts later, or one that takes the name over from another (a
    // restarted desktop may), still finds the item: every new owner is told.
    watcher_ = new QDBusServiceWatcher(QString::fromLatin1(watcherService), connection_,
                                       QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString&, const QString&, const QString& newOwner) {
                if (!newOwner.isEmpty())
                    registerWithWatcher();
            });
    registerWithWatcher();
}

StatusNotifierItem::~StatusNotifierItem() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    connection_.unregisterService(serviceName_);
    connection_.unregisterObject(QString::fromLatin1(menuPath));
    connection_.unregisterObject(QString::fromLatin1(itemPath));
}

void StatusNotifierItem::registerWithWatcher() {
    // Asynchronous: nothing waits for the answer. With no watcher on the bus the call fails,
    // which is no fault: the watcher's arrival registers again.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(watcherService), QStringLiteral("/StatusNotifierWatcher"),
        QString::fromLatin1(watcherService), QStringLiteral("RegisterStatusNotifierItem"));
    call << serviceName_;
    auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [](QDBusPendingCallWatcher* done) {
        done->deleteLater();
        const QDBusError error = done->error();
        if (error.type() == QDBusError::ServiceUnknown)
            qCDebug(platformLog) << "no status notifier watcher on the bus";
        else if (error.isValid())
            qCWarning(platformLog).noquote()
                << "the status notifier watcher refused the item:" << error.message();
    });
}

DBusToolTip StatusNotifierItem::toolTip() const {
    return {.iconName = {}, .icon = {}, .title = spec_.title, .text = {}};
}

DBusImage StatusNotifierItem::wireImage(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    DBusImage result{.width = argb.width(), .height = argb.height(), .pixels = {}};
    result.pixels.resize(static_cast<qsizetype>(argb.width()) * argb.height() * 4);
    auto* out = reinterpret_cast<uchar*>(result.pixels.data());
    for (int y = 0; y < argb.height(); ++y) {
        const auto* line = reinterpret_cast<const quint32*>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x, out += 4)
            qToBigEndian<quint32>(line[x], out);
    }
    return result;
}

void StatusNotifierItem::Activate(int, int) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (spec_.activated)
        spec_.activated();
}

void StatusNotifierItem::SecondaryActivate(int, int) {}

void StatusNotifierItem::ContextMenu(int, int) {}

void StatusNotifierItem::Scroll(int, const QString&) {}

} // namespace orbitdeck
