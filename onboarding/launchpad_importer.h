#pragma once

#include "onboarding/launchpad_rows.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace orbitdeck::LaunchpadImporter {

using Entry = LaunchpadEntry;

// "com.apple.dock.launchpad/db/db" below the per-user folder, when that file is readable.
std::optional<std::filesystem::path> databaseURL();

// The arrangement of the current user's database: None when there is no database, it cannot be
// copied or opened, or it holds no root. The database is only copied, never opened in place.
std::optional<std::vector<Entry>> readLayout();

// The same for a database at a given path (with its "-wal" and "-shm" companions beside it).
std::optional<std::vector<Entry>> readLayout(const std::filesystem::path& database);

// The three tables of a database file opened in place; None when it cannot be opened. A table
// whose query fails stays empty.
std::optional<LaunchpadRows> readRows(const std::filesystem::path& database);

} // namespace orbitdeck::LaunchpadImporter
