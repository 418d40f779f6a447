#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

namespace orbitdeck {

// One entry of the system launcher's arrangement, by bundle identifier as stored there.
struct LaunchpadEntry {
    struct App {
        std::string bundleID;
        friend bool operator==(const App&, const App&) = default;
    };
    // Never empty; the title is empty when the database has none.
    struct Folder {
        std::string title;
        std::vector<std::string> bundleIDs;
        friend bool operator==(const Folder&, const Folder&) = default;
    };

    std::variant<App, Folder> value;

    friend bool operator==(const LaunchpadEntry&, const LaunchpadEntry&) = default;
};

// The rows of the three tables the arrangement is read from.
struct LaunchpadRows {
    enum ItemType : std::int32_t { root = 1, folder = 2, page = 3, application = 4 };

    struct Item {
        std::int64_t id = 0;
        std::int32_t type = 0;
        std::int64_t parent = 0;
        std::int64_t order = 0;
    };

    std::vector<Item> items;                              // in query order
    std::unordered_map<std::int64_t, std::string> apps;   // item id to bundle identifier
    std::unordered_map<std::int64_t, std::string> groups; // item id to folder title
};

// The arrangement of the root with the most pages (the first on a tie) as one flat list: pages
// run into each other, folders keep their applications in order. None without a root row.
std::optional<std::vector<LaunchpadEntry>> launchpadArrangement(const LaunchpadRows& rows);

} // namespace orbitdeck
