#pragma once

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// One entry of a context menu as the views draw it: an action, a divider, a line of text or a
// submenu of further entries. The menu hands a chosen action back with its argument.
class MenuEntry {
    Q_GADGET
    QML_VALUE_TYPE(menuEntry)
    // What the entry is: an action unless one of these.
    Q_PROPERTY(bool isSeparator READ isSeparator FINAL)
    Q_PROPERTY(bool isText READ isText FINAL)
    Q_PROPERTY(bool isSubmenu READ isSubmenu FINAL)
    Q_PROPERTY(QString name MEMBER name FINAL)
    Q_PROPERTY(QString title MEMBER title FINAL)
    Q_PROPERTY(bool enabled MEMBER enabled FINAL)
    Q_PROPERTY(bool destructive MEMBER destructive FINAL)
    Q_PROPERTY(int action MEMBER action FINAL)
    Q_PROPERTY(QString argument MEMBER argument FINAL)
    Q_PROPERTY(QList<orbitdeck::MenuEntry> entries READ submenuEntries FINAL)

public:
    enum class Kind { action, separator, text, submenu };

    static MenuEntry makeAction(const QString& name, const QString& title, int action,
                                const QString& argument = {}, bool enabled = true,
                                bool destructive = false);
    static MenuEntry makeSeparator();
    static MenuEntry makeText(const QString& name, const QString& title);
    static MenuEntry makeSubmenu(const QString& name, const QString& title,
                                 QList<MenuEntry> entries);

    bool isSeparator() const { return kind == Kind::separator; }
    bool isText() const { return kind == Kind::text; }
    bool isSubmenu() const { return kind == Kind::submenu; }
    // Read only: a member list of the type itself cannot be compared, as a written one must.
    QList<MenuEntry> submenuEntries() const { return entries; }

    Kind kind = Kind::action;
    // The objectName of the drawn entry, which tests and the state report find it by.
    QString name;
    QString title;
    bool enabled = true;
    bool destructive = false;
    // The menu's own action code, handed back unchanged when the entry is chosen.
    int action = 0;
    QString argument;
    QList<MenuEntry> entries;
};

using MenuEntries = QList<MenuEntry>;

} // namespace orbitdeck
