#pragma once

#include <QDBusArgument>
#include <QDBusVariant>
#include <QList>
#include <QMetaType>
#include <QVariantMap>

namespace orbitdeck {

// The wire types of com.canonical.dbusmenu and of a status notifier item's icon.

// (ia{sv}av): an entry, its properties and its children, each child in a variant.
struct DBusMenuLayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayoutItem> children;
};

// (ia{sv}): one entry's properties.
struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
using DBusMenuItemPropertiesList = QList<DBusMenuItemProperties>;

// (ias): the properties an entry no longer has.
struct DBusMenuItemKeys {
    int id = 0;
    QStringList keys;
};
using DBusMenuItemKeysList = QList<DBusMenuItemKeys>;

// (isvu): one event of EventGroup.
struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using DBusMenuEventList = QList<DBusMenuEvent>;

// (iiay): an ARGB32 picture in network byte order.
struct DBusImage {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};
using DBusImageList = QList<DBusImage>;

// (sa(iiay)ss): icon name, icon, title and text of a tooltip.
struct DBusToolTip {
    QString iconName;
    DBusImageList icon;
    QString title;
    QString text;
};

// Registers every type above with the D-Bus type system; safe to call more than once.
void registerDBusMenuTypes();

QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuLayoutItem& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuLayoutItem& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemProperties& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemProperties& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuItemKeys& item);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuItemKeys& item);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusMenuEvent& event);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusMenuEvent& event);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusImage& image);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusImage& image);
QDBusArgument& operator<<(QDBusArgument& argument, const DBusToolTip& tip);
const QDBusArgument& operator>>(const QDBusArgument& argument, DBusToolTip& tip);

} // namespace orbitdeck

Q_DECLARE_METATYPE(orbitdeck::DBusMenuLayoutItem)
Q_DECLARE_METATYPE(orbitdeck::DBusMenuItemProperties)
Q_DECLARE_METATYPE(orbitdeck::DBusMenuItemKeys)
Q_DECLARE_METATYPE(orbitdeck::DBusMenuEvent)
Q_DECLARE_METATYPE(orbitdeck::DBusImage)
Q_DECLARE_METATYPE(orbitdeck::DBusToolTip)
