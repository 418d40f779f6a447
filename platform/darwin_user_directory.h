#pragma once

#include <filesystem>
#include <optional>

namespace orbitdeck {

// The per-user folder the system launcher keeps its database in. Linux has none, so it is a
// folder of our own under the XDG data home where a user can place a copied database;
// ORBITDECK_DARWIN_USER_DIR overrides it (tests point it at a temporary folder). None when no
// home can be found.
std::optional<std::filesystem::path> darwinUserDirectory();

} // namespace orbitdeck
