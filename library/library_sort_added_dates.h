#pragma once

#include "catalog-core/app_dates.h"
#include "catalog-core/app_descriptor.h"

#include <cstdint>
#include <vector>

namespace orbitdeck {

// When each bundle (or desktop entry) arrived in its folder: the last change of its inode, which
// moving it in sets. A bundle that cannot be read is left out; should an id repeat, its first
// date wins. Touches no shared state: run it off the main thread.
AppDates addedDates(const std::vector<AppDescriptor>& apps);

// Scans of dates added may overlap (the sort switched away and back quickly). Only the most
// recently started scan may replace the map; an older one that finishes later is dropped, so
// the grid never goes back to dates from before the last switch. Main thread only.
class AddedDatesScans {
public:
    // Call when a scan starts; hand the answer back with its result.
    std::uint64_t begin() { return ++latest_; }

    // Replaces target with result when the scan is the latest started; answers whether it did.
    bool finish(std::uint64_t scan, AppDates result, AppDates& target) const;

private:
    std::uint64_t latest_ = 0;
};

} // namespace orbitdeck
