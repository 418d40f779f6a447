#include "library/library_sort_added_dates.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <chrono>
#include <optional>
#include <utility>

namespace orbitdeck {
namespace {

AppDate toDate(const struct statx_timestamp& stamp) {
    using namespace std::chrono;
    return AppDate(
        duration_cast<AppDate::duration>(seconds(stamp.tv_sec) + nanoseconds(stamp.tv_nsec)));
}

// The entry's inode change time: renaming or linking an item into a folder sets it, so an
// application made elsewhere and then moved in (a download, an installer's staging folder)
// dates from its arrival, which neither its birth nor its modification time tells.
std::optional<AppDate> dateAdded(const std::filesystem::path& bundle) {
    struct statx status {};
    if (statx(AT_FDCWD, bundle.c_str(), AT_SYMLINK_NOFOLLOW, STATX_CTIME, &status) != 0 ||
        (status.stx_mask & STATX_CTIME) == 0) {
        return std::nullopt;
    }
    return toDate(status.stx_ctime);
}

} // namespace

AppDates addedDates(const std::vector<AppDescriptor>& apps) {
    AppDates dates;
    for (const auto& app : apps) {
        if (const auto date = dateAdded(app.bundleURL())) {
            dates.try_emplace(app.id(), *date);
        }
    }
    return dates;
}

bool AddedDatesScans::finish(std::uint64_t scan, AppDates result, AppDates& target) const {
    if (scan != latest_) {
        return false;
    }
    target = std::move(result);
    return true;
}

} // namespace orbitdeck
