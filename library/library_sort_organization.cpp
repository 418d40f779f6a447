#include "library/library_sort_organization.h"

namespace orbitdeck {

bool applyOrganization(LibraryOrganization organization, LibraryLayout& layout,
                       const std::vector<LayoutItem>& sortedItems,
                       const LayoutTextSet& utilityIDs) {
    switch (organization) {
    case LibraryOrganization::systemUtilities:
        return layout.gatherIntoUtilitiesFolder(utilityIDs);
    case LibraryOrganization::sortByName:
        return layout.applyOrder(sortedItems);
    case LibraryOrganization::foldersFirst:
        return layout.placeFolders(true);
    case LibraryOrganization::foldersLast:
        return layout.placeFolders(false);
    case LibraryOrganization::ungroup:
        return layout.flatten();
    case LibraryOrganization::exportLayout:
    case LibraryOrganization::importLayout:
    case LibraryOrganization::welcome:
        return false;
    }
    return false;
}

} // namespace orbitdeck
