#pragma once

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orbitdeck {

// The modification time of a file or folder in nanoseconds; none when it is not there.
std::optional<std::int64_t> modificationTime(const char* path);

// What a look-up needs of one icon theme: its folders by size and where each icon name has a
// file in them. Read from the theme's folders, or from the cache of an earlier read.
struct IconThemeIndex {
    enum class DirectoryType : std::uint8_t { fixed, scalable, threshold };

    struct Directory {
        int size = 0;
        int scale = 1;
        int minSize = 0;
        int maxSize = 0;
        int threshold = 2;
        DirectoryType type = DirectoryType::threshold;
        std::string name;

        bool matches(int wanted) const;
        int distance(int wanted) const;
    };
    // Where a name has a file: its directory, the theme folder holding it and the rank of its
    // extension. A large theme lists a hundred thousand files under a few thousand names, so
    // the names are kept once and the files as these, not as paths.
    struct Hit {
        std::uint16_t directory = 0;
        std::uint8_t folder = 0;
        std::uint8_t rank = 0;
    };
    // A folder or file the index was read from (or looked for), with its modification time
    // then: while every one still has it, the index holds.
    struct Stamp {
        std::string path;
        std::optional<std::int64_t> modified;
    };
    // A name and where its hits lie.
    struct Name {
        std::uint32_t offset = 0; // in nameText
        std::uint32_t length = 0;
        std::uint32_t firstHit = 0;
        std::uint32_t hitCount = 0;
    };

    // False when no theme folder holds the theme's index.
    bool found = false;
    std::vector<std::string> inherits;
    std::vector<Directory> directories;
    // Every name once, back to back; names in their order; each name's hits in directory order,
    // at most one a directory. Flat, so that the cache is read without a step per name.
    std::string nameText;
    std::vector<Name> names;
    std::vector<Hit> hits;
    std::vector<Stamp> stamps;

    std::string_view nameOf(const Name& name) const {
        return std::string_view(nameText).substr(name.offset, name.length);
    }
    // The hits of name (none when the theme has no such icon).
    std::span<const Hit> hitsOf(std::string_view name) const;
    // Whether every stamp still holds.
    bool current() const;
    // Whether every stamp is older than a file time's granularity, so that a file added right
    // after its folder was listed cannot have left the folder's time as it was. Only such an
    // index is kept on disk.
    bool settled() const;
};

// In the order the format prefers them when a folder holds several.
inline constexpr const char* iconExtensions[] = {".png", ".svg", ".xpm"};
inline constexpr int iconExtensionCount = 3;

// The icon name a file carries and its extension's rank, when it is an icon file at all.
std::optional<std::pair<std::string_view, int>> iconFileName(std::string_view file);

// A directory name a theme may use: relative, without "." or ".." parts.
bool isThemeDirectoryName(std::string_view name);

// Reads the theme named theme from the first of folders that holds its index.theme, listing
// each of its directories in every folder (at most 256 folders). Where a theme folder holds a GTK
// icon-theme.cache not older than itself, the directories the cache names are taken from it
// instead, as GTK does: an icon added to such a directory without the cache written anew is not
// seen, the same as in every GTK program.
IconThemeIndex readIconThemeIndex(const std::string& theme,
                                  const std::vector<std::filesystem::path>& folders);

} // namespace orbitdeck
