#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orbitdeck {

// Moves a file or a folder tree from `from` to `to`, never replacing anything at `to`.
// Within one filesystem this is a single rename. Across filesystems the tree is copied next to
// `to` under a hidden temporary name, renamed into place only once the copy is complete, and
// only then removed at `from`: a copy that fails halfway is cleared away and `from` stays whole.
// Answers an error text, none on success.
std::optional<std::string> moveItemSafely(const std::filesystem::path& from,
                                          const std::filesystem::path& to);

} // namespace orbitdeck
