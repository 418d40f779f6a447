#pragma once

#include "catalog-core/app_descriptor.h"

#include <vector>

namespace orbitdeck {

// What a catalog found. `complete` is false when some folder could not be scanned in time: the
// list may then lack applications that are still installed, so callers must not prune stored
// data (hidden set, launch counts, layout) against it.
struct CatalogListing {
    std::vector<AppDescriptor> applications;
    bool complete = true;
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
