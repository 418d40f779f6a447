#pragma once

#include "library/library_sort_organization.h"
#include "window/setting_enum.h"

namespace orbitdeck {

// The organise actions travel to and from the views by case name ("sortByName"); they are
// never stored.
template <>
struct SettingEnumTraits<LibraryOrganization> {
    using C = EnumCase<LibraryOrganization>;
    static constexpr std::array cases{
        C{LibraryOrganization::systemUtilities, "systemUtilities", {}},
        C{LibraryOrganization::sortByName, "sortByName", {}},
        C{LibraryOrganization::foldersFirst, "foldersFirst", {}},
        C{LibraryOrganization::foldersLast, "foldersLast", {}},
        C{LibraryOrganization::ungroup, "ungroup", {}},
        C{LibraryOrganization::exportLayout, "exportLayout", {}},
        C{LibraryOrganization::importLayout, "importLayout", {}},
        C{LibraryOrganization::welcome, "welcome", {}},
    };
};

// The actions that rearrange the layout itself, as opposed to those that open files or the guide.
constexpr bool changesLayout(LibraryOrganization organization) {
    return organization != LibraryOrganization::exportLayout &&
           organization != LibraryOrganization::importLayout &&
           organization != LibraryOrganization::welcome;
}

} // namespace orbitdeck
