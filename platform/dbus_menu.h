#pragma once

#include "platform/dbus_menu_types.h"
#include "platform/status_item.h"

#include <QObject>

namespace orbitdeck {

// A flat menu exported as com.canonical.dbusmenu. The entries are asked for afresh whenever the
// desktop is about to open the menu, and the desktop is told when they changed.
class DBusMenu final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    DBusMenu(std::function<std::vector<StatusMenuEntry>()> entries,
             std::function<void(int id)> chosen, QObject* parent = nullptr);

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

    // The properties of one entry as the desktop reads them.
    static QVariantMap entryProperties(const StatusMenuEntry& entry);

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList& propertyNames,
                   orbitdeck::DBusMenuLayoutItem& layout);
    orbitdeck::DBusMenuItemPropertiesList GetGroupProperties(const QList<int>& ids,
                                                             const QStringList& propertyNames);
    QDBusVariant GetProperty(int id, const QString& name);
    void Event(int id, const QString& eventId, const QDBusVariant& data, uint timestamp);
    QList<int> EventGroup(const orbitdeck::DBusMenuEventList& events);
    bool AboutToShow(int id);
    QList<int> AboutToShowGroup(const QList<int>& ids, QList<int>& idErrors);

signals:
    void ItemsPropertiesUpdated(const orbitdeck::DBusMenuItemPropertiesList& updated,
                                const orbitdeck::DBusMenuItemKeysList& removed);
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    // Reads the entries again; true (and a new revision announced) when they changed.
    bool refresh();
    // The entry behind a wire id (its position plus one; 0 is the menu itself).
    const StatusMenuEntry* entryAt(int wireId) const;
    bool dispatch(int wireId, const QString& eventId);

    std::function<std::vector<StatusMenuEntry>()> entries_;
    std::function<void(int id)> chosen_;
    std::vector<StatusMenuEntry> current_;
    uint revision_ = 1;
};

} // namespace orbitdeck
