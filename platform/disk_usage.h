#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace orbitdeck {

// What items take on disk, as the Trash's size lines count it: the allocated blocks of every
// item, hidden ones included, links not followed. Items that cannot be read (gone before they
// were measured, a folder that cannot be opened, a tree nested deeper than any application's)
// are skipped and the rest still counted.

// Everything below folder; none when folder itself cannot be listed.
std::optional<std::uintmax_t> allocatedSizeBelow(const std::filesystem::path& folder);

// The item itself and, for a folder, everything below it; 0 when the item cannot be read.
std::uintmax_t allocatedTreeSize(const std::filesystem::path& path);

} // namespace orbitdeck
