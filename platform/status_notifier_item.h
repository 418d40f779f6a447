#pragma once

#include "platform/dbus_menu.h"
#include "platform/dbus_menu_types.h"
#include "platform/status_item.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QObject>

class QDBusServiceWatcher;

namespace orbitdeck {

// One org.kde.StatusNotifierItem on a bus connection, with its menu. It owns a bus name of its
// own and registers with the status notifier watcher whenever one is on the bus; removing it
// releases the name, which tells the desktop the item has gone.
class StatusNotifierItem final : public QObject, public StatusItem {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(QString IconThemePath READ iconThemePath)
    Q_PROPERTY(orbitdeck::DBusImageList IconPixmap READ iconPixmap)
    Q_PROPERTY(orbitdeck::DBusToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    static constexpr const char* watcherService = "org.kde.StatusNotifierWatcher";
    static constexpr const char* itemPath = "/StatusNotifierItem";
    static constexpr const char* menuPath = "/MenuBar";

    StatusNotifierItem(QDBusConnection connection, StatusItemSpec spec, int instance);
    ~StatusNotifierItem() override;

    QString serviceName() const { return serviceName_; }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return spec_.identifier; }
    QString title() const { return spec_.title; }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString iconName() const { return spec_.iconName; }
    QString iconThemePath() const { return spec_.iconThemePath; }
    DBusImageList iconPixmap() const { return icon_; }
    DBusToolTip toolTip() const;
    bool itemIsMenu() const { return true; }
    QDBusObjectPath menu() const { return QDBusObjectPath(QString::fromLatin1(menuPath)); }

    // The icon in the wire form: ARGB32 in network byte order.
    static DBusImage wireImage(const QImage& image);

public slots:
    void Activate(int x, int y);
    void SecondaryActivate(int x, int y);
    void ContextMenu(int x, int y);
    void Scroll(int delta, const QString& orientation);

signals:
    void NewTitle();
    void NewIcon();
    void NewToolTip();
    void NewStatus(const QString& status);

private:
    void registerWithWatcher();

    QDBusConnection connection_;
    StatusItemSpec spec_;
    QString serviceName_;
    DBusImageList icon_;
    DBusMenu menu_;
    QDBusServiceWatcher* watcher_ = nullptr;
};

} // namespace orbitdeck
