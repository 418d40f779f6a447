#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace orbitdeck {

// Starts the application of a desktop entry through GIO, which knows the Exec field codes,
// Terminal=, Path= and D-Bus activation. False when the entry cannot be loaded (gone, broken,
// TryExec or the Exec program missing) or the program cannot be started. The started process is
// not our child, so it never becomes a zombie, and it inherits none of our descriptors.
// launched, when given, gets the process GIO started (none for D-Bus activation).
bool launchDesktopEntry(const std::filesystem::path& entry, std::optional<int>* launched = nullptr);

// The program an entry runs, as GIO resolves it from Exec; none when the entry cannot be loaded.
// Lets running windows be matched to their entry.
std::optional<std::string> desktopEntryExecutable(const std::filesystem::path& entry);

} // namespace orbitdeck
