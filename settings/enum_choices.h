#pragma once

#include "settings/settings_choices.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "window/library_settings_enums.h"
#endif

namespace orbitdeck {

// A picker's entries for a stored enumeration, in declaration order: the case as QML sees it,
// the string-table key of its title, which the view looks up in the interface language, and
// its stored name.
template <typename E>
PickerEntries enumChoices() {
    PickerEntries choices;
    for (const auto& entry : allCases<E>())
        choices.append({.value = static_cast<int>(entry.value),
                        .title = titleKey(entry.value),
                        .titleIsKey = true,
                        .name = rawValue(entry.value)});
    return choices;
}

// The entries of the settings' pickers over stored enumerations, for the views.
class EnumChoices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QList<orbitdeck::PickerEntry> hotKeys READ hotKeys CONSTANT FINAL)
    Q_PROPERTY(QList<orbitdeck::PickerEntry> hotCorners READ hotCorners CONSTANT FINAL)
    Q_PROPERTY(QList<orbitdeck::PickerEntry> sortOrders READ sortOrders CONSTANT FINAL)
    Q_PROPERTY(QList<orbitdeck::PickerEntry> effects READ effects CONSTANT FINAL)
    Q_PROPERTY(QList<orbitdeck::PickerEntry> browsing READ browsing CONSTANT FINAL)

public:
    using QObject::QObject;

    static PickerEntries hotKeys() { return enumChoices<LibraryHotKey>(); }
    static PickerEntries hotCorners() { return enumChoices<HotCorner>(); }
    static PickerEntries sortOrders() { return enumChoices<LibrarySort>(); }
    static PickerEntries effects() { return enumChoices<LibraryEffects>(); }
    static PickerEntries browsing() { return enumChoices<LibraryBrowsing>(); }
};

} // namespace orbitdeck
