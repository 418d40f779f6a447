#include "onboarding/launchpad_importer.h"

#include "catalog-core/file_descriptor.h"
#include "onboarding/onboarding_log.h"
#include "onboarding/sqlite_library.h"
#include "platform/darwin_user_directory.h"
#include "platform/durable_file.h"

#include <QFile>
#include <QUuid>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <system_error>

namespace orbitdeck::LaunchpadImporter {

namespace {

namespace fs = std::filesystem;

// A real launcher database is well under a megabyte.
constexpr qint64 maxDatabaseBytes = 256LL * 1024 * 1024;
// How long the queries of one read may take in all; a database built to run forever ends here.
constexpr auto maxQueryTime = std::chrono::seconds(10);

// The copy holds the user's arrangement: readable by the user alone.
bool writePrivateFile(const fs::path& path, const QByteArray& bytes) {
    FileDescriptor fd(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd.valid())
        return false;
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd.get(), data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        left -= written;
    }
    return fd.close();
}

// Copies a database file; a missing companion is no error, anything but a regular file is.
bool copyPrivately(const fs::path& source, const fs::path& target, bool mayBeMissing) {
    const FileReadResult read = readFileCapped(QFile::decodeName(source.c_str()), maxDatabaseBytes);
    if (mayBeMissing && std::holds_alternative<FileMissing>(read))
        return true;
    const auto* bytes = std::get_if<QByteArray>(&read);
    return bytes && writePrivateFile(target, *bytes);
}

class Database {
public:
    explicit Database(const fs::path& path)
        : sql_(SqliteLibrary::get())
        , deadline_(std::chrono::steady_clock::now() + maxQueryTime) {
        if (!sql_)
            return;
        // Read-write on the private copy only, so SQLite can fold a copied write-ahead log in.
        if (sql_->open(path.c_str(), &handle_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            qCWarning(onboardingLog).noquote()
                << "cannot open the launcher database" << QString::fromStdString(path.string())
                << ":" << (handle_ ? sql_->errorMessage(handle_) : "out of memory");
            sql_->close(handle_);
            handle_ = nullptr;
            return;
        }
        // A view can make a query that never returns a row: interrupted at the deadline.
        sql_->progressHandler(
            handle_, 10000,
            [](void* deadline) {
                return std::chrono::steady_clock::now() >
                               *static_cast<std::chrono::steady_clock::time_point*>(deadline)
                           ? 1
                           : 0;
            },
            &deadline_);
    }
    ~Database() {
        if (sql_)
            sql_->close(handle_);
    }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    sqlite3* handle() const { return handle_; }
    const SqliteLibrary& sql() const { return *sql_; }

    // Steps a query, handing each row to the reader; a query that does not prepare reads nothing.
    // Answers false when the query ran past the row cap or the deadline: the database is not
    // one a launcher wrote.
    bool forEachRow(const char* query, const std::function<void(sqlite3_stmt*)>& read) {
        sqlite3_stmt* statement = nullptr;
        if (sql_->prepare(handle_, query, -1, &statement, nullptr) != SQLITE_OK || !statement) {
            sql_->finalize(statement);
            return true;
        }
        int result = SQLITE_ROW;
        while ((result = sql_->step(statement)) == SQLITE_ROW && rowsLeft_ > 0) {
            --rowsLeft_;
            read(statement);
        }
        sql_->finalize(statement);
        return result != SQLITE_ROW && result != SQLITE_INTERRUPT;
    }

private:
    const SqliteLibrary* sql_;
    sqlite3* handle_ = nullptr;
    std::chrono::steady_clock::time_point deadline_;
    std::size_t rowsLeft_ = maxLaunchpadRows;
};

std::string textColumn(const SqliteLibrary& sql, sqlite3_stmt* statement, int column) {
    const unsigned char* text = sql.columnText(statement, column);
    if (!text)
        return {};
    return std::string(reinterpret_cast<const char*>(text),
                       static_cast<std::size_t>(sql.columnBytes(statement, column)));
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
    Database db(database);
    if (!db.handle())
        return std::nullopt;
    const SqliteLibrary& sql = db.sql();
    LaunchpadRows rows;
    const bool ended =
        db.forEachRow("SELECT rowid, type, parent_id, ordering FROM items",
                      [&](sqlite3_stmt* row) {
                          rows.items.push_back(LaunchpadRows::Item{
                              .id = sql.columnInt64(row, 0),
                              .type = sql.columnInt(row, 1),
                              .parent = sql.columnInt64(row, 2),
                              .order = sql.columnInt64(row, 3),
                          });
                      }) &&
        db.forEachRow("SELECT item_id, bundleid FROM apps",
                      [&](sqlite3_stmt* row) {
                          rows.apps.insert_or_assign(sql.columnInt64(row, 0),
                                                     textColumn(sql, row, 1));
                      }) &&
        db.forEachRow("SELECT item_id, title FROM groups", [&](sqlite3_stmt* row) {
            rows.groups.insert_or_assign(sql.columnInt64(row, 0), textColumn(sql, row, 1));
        });
    if (!ended)
        return std::nullopt;
    return rows;
}

PrivateCopy::~PrivateCopy() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

std::unique_ptr<PrivateCopy> PrivateCopy::make(const std::filesystem::path& database) {
    const QString uuid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error)
        return nullptr;
    fs::create_directories(base, error);
    const fs::path folder = base / ("ambergrid-launchpad-" + uuid.toStdString());
    // Only the user may look into the copy of their arrangement.
    if (::mkdir(folder.c_str(), 0700) != 0)
        return nullptr;
    std::unique_ptr<PrivateCopy> copy(new PrivateCopy(folder));
    for (const std::string suffix : {"", "-wal", "-shm"}) {
        if (!copyPrivately(database.string() + suffix, folder / ("db" + suffix), !suffix.empty()))
            return nullptr;
    }
    return copy;
}

std::optional<std::vector<Entry>> readLayout(const std::filesystem::path& database) {
    const std::unique_ptr<PrivateCopy> copy = PrivateCopy::make(database);
    if (!copy)
        return std::nullopt;
    const std::optional<LaunchpadRows> rows = readRows(copy->database());
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
