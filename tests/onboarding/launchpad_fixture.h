#pragma once

// Builds system-launcher databases for the tests: the three tables the importer reads, filled
// with the rows a test names.

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orbitdeck::testing {

struct LaunchpadFixtureItem {
    std::int64_t id;
    int type; // 1 root, 2 folder, 3 page, 4 application
    std::int64_t parent;
    std::int64_t order;
};

class LaunchpadFixture {
public:
    // An empty database with the three tables (or only those named in `tables`).
    explicit LaunchpadFixture(const std::filesystem::path& file,
                              std::vector<std::string> tables = {"items", "apps", "groups"}) {
        std::filesystem::create_directories(file.parent_path());
        sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        run("PRAGMA synchronous=OFF"); // fixtures need no durability
        for (const std::string& table : tables) {
            if (table == "items")
                run("CREATE TABLE items (rowid INTEGER PRIMARY KEY, uuid VARCHAR, flags INTEGER, "
                    "type INTEGER, parent_id INTEGER NOT NULL, ordering INTEGER)");
            else if (table == "apps")
                run("CREATE TABLE apps (item_id INTEGER, title VARCHAR, bundleid VARCHAR)");
            else if (table == "groups")
                run("CREATE TABLE groups (item_id INTEGER, category_id INTEGER, title VARCHAR)");
        }
    }
    ~LaunchpadFixture() { sqlite3_close(db_); }
    LaunchpadFixture(const LaunchpadFixture&) = delete;
    LaunchpadFixture& operator=(const LaunchpadFixture&) = delete;

    LaunchpadFixture& item(LaunchpadFixtureItem row) {
        return run("INSERT INTO items (rowid, type, parent_id, ordering) VALUES (" +
                   std::to_string(row.id) + ", " + std::to_string(row.type) + ", " +
                   std::to_string(row.parent) + ", " + std::to_string(row.order) + ")");
    }
    // A NULL identifier when none is given.
    LaunchpadFixture& app(std::int64_t id, std::optional<std::string> bundleID) {
        return run("INSERT INTO apps (item_id, bundleid) VALUES (" + std::to_string(id) + ", " +
                   quoted(bundleID) + ")");
    }
    LaunchpadFixture& group(std::int64_t id, std::optional<std::string> title) {
        return run("INSERT INTO groups (item_id, title) VALUES (" + std::to_string(id) + ", " +
                   quoted(title) + ")");
    }
    LaunchpadFixture& run(const std::string& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "?";
            sqlite3_free(error);
            throw std::runtime_error(sql + ": " + message);
        }
        return *this;
    }

private:
    static std::string quoted(const std::optional<std::string>& text) {
        if (!text)
            return "NULL";
        std::string out = "'";
        for (char c : *text)
            out += c == '\'' ? std::string("''") : std::string(1, c);
        return out + "'";
    }

    sqlite3* db_ = nullptr;
};

} // namespace orbitdeck::testing
