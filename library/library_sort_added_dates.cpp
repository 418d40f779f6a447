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

std::optional<AppDate> dateAdded(const std::filesystem::path& bundle) {
    struct statx status {};
    if (statx(AT_FDCWD, bundle.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME | STATX_MTIME, &status) !=
        0) {
        return std::nullopt;
    }
    if ((status.stx_mask & STATX_BTIME) != 0) {
        return toDate(status.stx_btime);
    }
    if ((status.stx_mask & STATX_MTIME) != 0) {
        return toDate(status.stx_mtime);
    }
    return std::nullopt;
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
