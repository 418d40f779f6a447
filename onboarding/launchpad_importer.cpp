#include "onboarding/launchpad_importer.h"

#include "platform/darwin_user_directory.h"

#include <QUuid>

#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <functional>
#include <system_error>

namespace orbitdeck::LaunchpadImporter {

namespace {

namespace fs = std::filesystem;

// Removes the private copy on every path out of a read; a failure to remove is ignored.
class TemporaryFolder {
public:
    explicit TemporaryFolder(fs::path path)
        : path_(std::move(path)) {}
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

class Database {
public:
    explicit Database(const fs::path& path) {
        // Read-write on the private copy only, so SQLite can fold a copied write-ahead log in.
        if (sqlite3_open_v2(path.c_str(), &handle_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(handle_);
            handle_ = nullptr;
        }
    }
    ~Database() { sqlite3_close(handle_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    sqlite3* handle() const { return handle_; }

    // Steps a query, handing each row to the reader; a query that does not prepare reads nothing.
    void forEachRow(const char* query, const std::function<void(sqlite3_stmt*)>& read) const {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle_, query, -1, &statement, nullptr) != SQLITE_OK ||
            !statement) {
            sqlite3_finalize(statement);
            return;
        }
        while (sqlite3_step(statement) == SQLITE_ROW)
            read(statement);
        sqlite3_finalize(statement);
    }

private:
    sqlite3* handle_ = nullptr;
};

std::string textColumn(sqlite3_stmt* statement, int column) {
    const unsigned char* text = sqlite3_column_text(statement, column);
    if (!text)
        return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
}

} // namespace

std::optional<std::filesystem::path> databaseURL() {
    const std::optional<fs::path> directory = darwinUserDirectory();
    if (!directory)
        return std::nullopt;
    const fs::path database = *directory / "com.apple.dock.launchpad" / "db" / "db";
    if (::access(database.c_str(), R_OK) != 0)
        return std::nullopt;
    return database;
}

std::optional<LaunchpadRows> readRows(const std::filesystem::path& database) {
    const Database db(database);
    if (!db.handle())
        return std::nullopt;
    LaunchpadRows rows;
    db.forEachRow("SELECT rowid, type, parent_id, ordering FROM items", [&](sqlite3_stmt* row) {
        rows.items.push_back(LaunchpadRows::Item{
            .id = sqlite3_column_int64(row, 0),
            .type = sqlite3_column_int(row, 1),
            .parent = sqlite3_column_int64(row, 2),
            .order = sqlite3_column_int64(row, 3),
        });
    });
    db.forEachRow("SELECT item_id, bundleid FROM apps", [&](sqlite3_stmt* row) {
        rows.apps.insert_or_assign(sqlite3_column_int64(row, 0), textColumn(row, 1));
    });
    db.forEachRow("SELECT item_id, title FROM groups", [&](sqlite3_stmt* row) {
        rows.groups.insert_or_assign(sqlite3_column_int64(row, 0), textColumn(row, 1));
    });
    return rows;
}

std::optional<std::vector<Entry>> readLayout(const std::filesystem::path& database) {
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error)
        return std::nullopt;
    const TemporaryFolder folder(base / ("ambergrid-launchpad-" + uuid.toStdString()));
    fs::create_directories(folder.path(), error);
    if (error)
        return std::nullopt;
    for (const char* suffix : std::array{"", "-wal", "-shm"}) {
        const fs::path source = database.string() + suffix;
        if (!fs::exists(source, error))
            continue;
        if (!fs::copy_file(source, folder.path() / (std::string("db") + suffix), error))
            return std::nullopt;
    }
    const std::optional<LaunchpadRows> rows = readRows(folder.path() / "db");
    if (!rows)
        return std::nullopt;
    return launchpadArrangement(*rows);
}

std::optional<std::vector<Entry>> readLayout() {
    const std::optional<fs::path> database = databaseURL();
    if (!database)
        return std::nullopt;
    return readLayout(*database);
}

} // namespace orbitdeck::LaunchpadImporter
