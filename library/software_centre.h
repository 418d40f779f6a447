#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck {

// The desktop's software centre (GNOME Software, KDE Discover) as a command that searches it:
// program, the arguments its desktop entry runs it with, then "--search" and the query.
struct SoftwareCentre {
    std::filesystem::path program;
    std::vector<std::string> arguments{};

    // The whole argument list for a search; the query stays one argument, exactly as typed.
    std::vector<std::string> searchArguments(const std::string& query) const;
};

// Where to look: the folders of PATH, the data folders (XDG_DATA_HOME first, then
// XDG_DATA_DIRS) whose applications/ hold desktop entries, and the current desktop names.
struct SoftwareCentrePlaces {
    std::vector<std::filesystem::path> path;
    std::vector<std::filesystem::path> dataDirs;
    std::vector<std::string> currentDesktops{};
};

// The first software centre installed, the desktop's own first (Discover on KDE): its program
// on PATH, else the program its desktop entry names. None when neither is installed.
std::optional<SoftwareCentre> findSoftwareCentre(const SoftwareCentrePlaces& places);
// The places of this process's environment.
SoftwareCentrePlaces softwareCentrePlaces();

} // namespace orbitdeck
