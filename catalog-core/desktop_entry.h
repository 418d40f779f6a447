#pragma once

#include "catalog-core/app_descriptor.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// What the launcher reads from a desktop entry's [Desktop Entry] group.
struct DesktopEntry {
    std::string type;
    // Localised for the locales the entry was read with.
    std::string name;
    // Whether the entry has a plain Name (possibly empty); translations alone do not name it.
    bool named = false;
    std::optional<std::string> exec;
    std::optional<std::string> tryExec;
    std::optional<std::string> icon;
    std::optional<std::string> startupWMClass;
    std::vector<std::string> categories;
    std::vector<std::string> onlyShowIn;
    std::vector<std::string> notShowIn;
    bool hidden = false;
    bool noDisplay = false;
    bool dbusActivatable = false;
};

// Real entries stay far below this; anything bigger is not read at all.
inline constexpr std::size_t maxDesktopEntryBytes = 256 * 1024;

// The environment the show rules and the localised name depend on.
struct DesktopEnvironment {
    // Locale keys to try for "Name[...]", best first ("de_AT@euro", "de_AT", "de@euro", "de").
    std::vector<std::string> locales;
    // $XDG_CURRENT_DESKTOP split at ':'.
    std::vector<std::string> currentDesktops;
    // $PATH split at ':', for a program of TryExec or Exec without a '/'.
    std::vector<std::filesystem::path> searchPath;

    // From the process environment.
    static DesktopEnvironment current();
};

// A locale name (lang_COUNTRY.CODESET@MODIFIER) in the order GLib, and so the desktops' menus,
// match "Name[...]": every combination of the parts, the modifier weighing most, then the
// country, then the code set ("sr_RS.UTF-8@latin", "sr_RS@latin", "sr.UTF-8@latin", "sr@latin",
// "sr_RS.UTF-8", "sr_RS", "sr.UTF-8", "sr"). "C" and "POSIX" give nothing.
std::vector<std::string> localeVariants(std::string_view locale);

// LANGUAGE (a ':' list) when set, else the first set of LC_ALL, LC_MESSAGES and LANG, each
// expanded by localeVariants, duplicates dropped; nothing under the C locale.
std::vector<std::string> userLocales(const char* language, const char* lcAll,
                                     const char* lcMessages, const char* lang);

// Parses an entry; none when it is not a key file or has no [Desktop Entry] as its first group.
// A value that is not UTF-8 counts as absent. Name and Exec are not required here (a hiding
// entry may carry only Hidden=true).
std::optional<DesktopEntry> parseDesktopEntry(std::string_view text,
                                              const std::vector<std::string>& locales);

// Reads and parses the file at path (a regular file within the size cap).
std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& path,
                                             const std::vector<std::string>& locales);

// What an entry means for the grid.
enum class DesktopEntryVerdict {
    shown,  // an application to list
    masked, // takes its id, hides any later entry of that id, but is not listed
    broken, // ignored as if it were not there
};

// Shows what GIO shows (TryExec and the program of Exec found, the show rules, NoDisplay,
// Hidden), except entries the format holds invalid, which GIO lists anyway: one without a plain
// Name (GIO calls it "Unnamed") and one with neither Exec nor D-Bus activation (nothing to start).
DesktopEntryVerdict judgeDesktopEntry(const std::optional<DesktopEntry>& entry,
                                      const DesktopEnvironment& environment);

// Whether path names a desktop entry rather than a bundle (by its ".desktop" suffix).
bool isDesktopEntryPath(const std::filesystem::path& path);

// $XDG_DATA_HOME/applications, then each $XDG_DATA_DIRS entry's applications folder, with the
// format's defaults (~/.local/share, /usr/local/share:/usr/share) when a variable is unset or
// empty; relative entries are ignored.
std::vector<std::filesystem::path> desktopEntryFolders();

// The desktop-file id of an entry at path below folder: its relative path with '/' turned
// into '-' ("kde/foo.desktop" gives "kde-foo.desktop"); none when path is not below folder.
std::optional<std::string> desktopFileId(const std::filesystem::path& folder,
                                         const std::filesystem::path& path);

// The id under the first of folders that holds path.
std::optional<std::string> desktopFileId(const std::vector<std::filesystem::path>& folders,
                                         const std::filesystem::path& path);

// The descriptor of a shown entry: the desktop-file id without ".desktop" in the place of the
// bundle identifier, the entry file as the bundle URL.
AppDescriptor describeDesktopEntry(const DesktopEntry& entry, std::string_view desktopFileId,
                                   const std::filesystem::path& path);

// Names read in one entry folder's tree, at most (real menus hold a few thousand): a link to "/"
// or "/proc" stops there instead of walking the machine.
inline constexpr std::size_t maxEntryFolderItems = 20000;

// An id one entry folder decides: an application to list, or none when the entry only hides
// later entries of that id.
struct DesktopEntryDecision {
    std::string id;
    std::optional<AppDescriptor> shown;
};

// What one entry folder holds, its subfolders and the folders its links lead to included.
struct DesktopEntryFolderScan {
    std::vector<DesktopEntryDecision> decisions;
    // False when the folder could not be opened or the walk stopped at maxEntryFolderItems (the
    // entries behind a link it could not finish are left out): the list may lack entries.
    bool complete = true;
    // False when the folder itself could not be opened (missing or unreadable).
    bool opened = true;
};

// Scans one entry folder. Touches no shared state but what it remembers of the entries it shows
// (rememberScannedDesktopEntry).
DesktopEntryFolderScan scanDesktopEntryFolder(const std::filesystem::path& folder,
                                              const DesktopEnvironment& environment);

// The folders' scans in their order, the first to decide an id winning (a user's copy hides the
// system one, also when it hides the application); the shown applications in display-name order.
std::vector<AppDescriptor> mergeDesktopEntryFolders(std::vector<DesktopEntryFolderScan> scans);

// The entries of the folders in order, merged as above. Never fails: missing folders and broken
// entries contribute nothing. Touches no shared state but the remembered
// entries.
std::vector<AppDescriptor> scanDesktopEntries(const std::vector<std::filesystem::path>& folders,
                                              const DesktopEnvironment& environment);

} // namespace orbitdeck
