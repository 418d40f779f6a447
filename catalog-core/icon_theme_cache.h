#pragma once

#include "catalog-core/icon_theme_index.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// Theme indexes kept on disk between runs, one file per theme in a cache folder, so that a
// start lists none of a large theme's folders while none of them changed. A file is trusted
// only whole: its checksum must hold, every count and offset must lie within it, and every
// folder it was read from must still have the modification time it had then; else it is
// ignored (and replaced once the theme is read again).

// The bytes of index as read for theme from folders.
std::string encodeIconThemeIndex(const IconThemeIndex& index, std::string_view theme,
                                 const std::vector<std::filesystem::path>& folders);

// The index bytes hold, when they are intact and were written for theme and folders. Does not
// look at the stamps.
std::optional<IconThemeIndex>
decodeIconThemeIndex(std::string_view bytes, std::string_view theme,
                     const std::vector<std::filesystem::path>& folders);

// The cached index of theme in cacheFolder, when intact and current.
std::optional<IconThemeIndex>
loadCachedIconThemeIndex(const std::filesystem::path& cacheFolder, const std::string& theme,
                         const std::vector<std::filesystem::path>& folders);

// Replaces the cached index of theme by bytes (as encoded above) in one rename, so a reader
// never sees half of it. Makes the cache folder when needed. Failing to write costs the next
// start a read, nothing more.
void storeCachedIconThemeIndex(const std::filesystem::path& cacheFolder, const std::string& theme,
                               std::string_view bytes);

} // namespace orbitdeck
