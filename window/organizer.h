#pragma once

#include "library/library_sort_organization.h"

#include <QString>

#include <optional>

namespace orbitdeck {

// The whole-library actions (organise, backups, the welcome guide) that the settings sheet offers
// and another module runs; the composition root hands the window its implementation.
class Organizer {
public:
    virtual ~Organizer() = default;

    virtual bool canPerform(LibraryOrganization organization) const = 0;
    virtual void performOrganization(LibraryOrganization organization) = 0;
};

// The action's case name ("sortByName", "welcome", ...), as the views name it.
QString organizationName(LibraryOrganization organization);
std::optional<LibraryOrganization> organizationNamed(const QString& name);

} // namespace orbitdeck
