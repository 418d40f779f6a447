#pragma once

namespace orbitdeck {

// The app's own preferences domain, and the suite an earlier build wrote, read once by the
// settings migration.
inline constexpr const char* appDefaultsDomain = "orbitdeck";
inline constexpr const char* legacyDefaultsDomain = "ambergrid";

} // namespace orbitdeck
