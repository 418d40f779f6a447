#pragma once

#include "onboarding/launchpad_rows.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace orbitdeck::LaunchpadImporter {

using Entry = LaunchpadEntry;

// "com.apple.dock.launchpad/db/db" below the per-user folder, when that file is readable.
std::optional<std::filesystem::path> databaseURL();

// A copy of a database and its companions in a new folder that only the user can read (files
// 0600), removed again with this object. The database is only ever opened through such a copy.
class PrivateCopy {
public:
    // None when the folder cannot be made or a file cannot be copied; only regular files are.
    static std::unique_ptr<PrivateCopy> make(const std::filesystem::path& database);
    ~PrivateCopy();
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path database() const { return folder_ / "db"; }

private:
    explicit PrivateCopy(std::filesystem::path folder)
        : folder_(std::move(folder)) {}
    std::filesystem::path folder_;
};

// The arrangement of the current user's database: None when there is no database, it cannot be
// copied or opened, or it holds no root. The database is only copied, never opened in place.
std::optional<std::vector<Entry>> readLayout();

// The same for a database at a given path (with its "-wal" and "-shm" companions beside it).
std::optional<std::vector<Entry>> readLayout(const std::filesystem::path& database);

// Far above any real launcher; a database with more rows is not read at all.
inline constexpr std::size_t maxLaunchpadRows = 100'000;

// The three tables of a database file opened in place; None when it cannot be opened, or when
// its tables hold more than maxLaunchpadRows rows in all or take more than a few seconds to
// read. A table whose query fails stays empty.
std::optional<LaunchpadRows> readRows(const std::filesystem::path& database);

} // namespace orbitdeck::LaunchpadImporter
