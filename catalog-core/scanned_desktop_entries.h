#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// What the launcher needs of a shown desktop entry after its scan.
struct ScannedDesktopEntry {
    std::string icon;
    std::vector<std::string> categories;
};

// The entries the scans showed, by the entry's path as the scan met it, so that drawing an
// entry's icon or sorting it among the utilities needs no second read of the entry. Each scan of
// an entry replaces what an earlier one left. Safe to use from several threads.
void rememberScannedDesktopEntry(std::string_view entryPath, ScannedDesktopEntry entry);

// What the last scan of the entry at entryPath found; none when no scan showed it (the caller
// then reads the entry itself).
std::optional<ScannedDesktopEntry> scannedDesktopEntry(std::string_view entryPath);

} // namespace orbitdeck
