#pragma once

#include "catalog-core/app_descriptor.h"

#include <string>
#include <vector>

namespace orbitdeck {

// What a catalog found. `complete` is false when some folder could not be scanned in time, was
// listed only in part or was absent: the list may then lack applications that are still
// installed, so callers must not prune stored data (hidden set, launch counts, layout) against it.
struct CatalogListing {
    std::vector<AppDescriptor> applications;
    bool complete = true;
    // Some folder timed out or was listed only in part.
    bool partial = false;
    // The folders listed in full, and those missing or unreadable. A folder never listed on this
    // machine is simply not there: a caller that remembers the folders it has seen may count a
    // listing complete whose only absent folders it has never seen.
    std::vector<std::string> listedFolders;
    std::vector<std::string> absentFolders;
};

// The replaceable source of installed applications.
class ApplicationCatalog {
public:
    virtual ~ApplicationCatalog() = default;
    // De-duplicated by id and in display-name order. Blocks until the list is ready, so callers
    // run it off the main thread; safe to call from several threads at once. Never fails.
    virtual CatalogListing applications() const = 0;
};

} // namespace orbitdeck
