#pragma once

#include <QObject>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "window/library_settings_enums.h"
#endif

namespace orbitdeck {

// A picker's entries for a stored enumeration, in declaration order: each a map with the case
// as QML sees it (`value`) and the string-table key of its `title` (`titleIsKey`), which the
// view looks up in the interface language.
template <typename E>
QVariantList enumChoices() {
    QVariantList choices;
    for (const auto& entry : allCases<E>())
        choices.append(QVariantMap{{QStringLiteral("value"), static_cast<int>(entry.value)},
                                   {QStringLiteral("title"), titleKey(entry.value)},
                                   {QStringLiteral("titleIsKey"), true}});
    return choices;
}

// The entries of the Shortcuts and Organize pickers, for the views.
class EnumChoices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QVariantList hotKeys READ hotKeys CONSTANT FINAL)
    Q_PROPERTY(QVariantList hotCorners READ hotCorners CONSTANT FINAL)
    Q_PROPERTY(QVariantList sortOrders READ sortOrders CONSTANT FINAL)

public:
    using QObject::QObject;

    static QVariantList hotKeys() { return enumChoices<LibraryHotKey>(); }
    static QVariantList hotCorners() { return enumChoices<HotCorner>(); }
    static QVariantList sortOrders() { return enumChoices<LibrarySort>(); }
};

} // namespace orbitdeck
