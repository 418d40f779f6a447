#pragma once

#include <QObject>
#include <QString>

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "library/library_sort_organization.h"
#endif

namespace orbitdeck {

class AmbergridWindow;

// The organise actions that only rearrange the layout (arrange by name, folders first or last,
// gather the utilities, ungroup), for a window without an organiser of its own. Backups and the
// welcome guide belong to the onboarding module: here they report unavailable, so the sheet shows
// them disabled.
class LayoutOrganizer : public QObject {
    Q_OBJECT

public:
    explicit LayoutOrganizer(AmbergridWindow& window, QObject* parent = nullptr);

    // By case name ("sortByName"); an unknown or unavailable name does nothing.
    Q_INVOKABLE void performOrganization(const QString& organization);
    Q_INVOKABLE bool canPerform(const QString& organization) const;

    // Through the layout commit with undo; afterwards, changed or not, the sort order is manual
    // and the first page is shown. False for the actions it cannot perform.
    bool perform(LibraryOrganization organization);

private:
    AmbergridWindow& window_;
};

// Attaches a LayoutOrganizer as the window's organiser unless one is attached already.
void installLayoutOrganizer(AmbergridWindow& window);

} // namespace orbitdeck
