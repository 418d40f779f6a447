#pragma once

#include <sqlite3.h>

namespace orbitdeck {

// The few SQLite calls the Launchpad import makes, from the library opened when a database is
// first read. Linked into the program, SQLite cost every start the binding of its ~1,600 symbols
// for an import most users never run.
struct SqliteLibrary {
    decltype(&sqlite3_open_v2) open = nullptr;
    decltype(&sqlite3_errmsg) errorMessage = nullptr;
    decltype(&sqlite3_close) close = nullptr;
    decltype(&sqlite3_progress_handler) progressHandler = nullptr;
    decltype(&sqlite3_prepare_v2) prepare = nullptr;
    decltype(&sqlite3_finalize) finalize = nullptr;
    decltype(&sqlite3_step) step = nullptr;
    decltype(&sqlite3_column_text) columnText = nullptr;
    decltype(&sqlite3_column_bytes) columnBytes = nullptr;
    decltype(&sqlite3_column_int) columnInt = nullptr;
    decltype(&sqlite3_column_int64) columnInt64 = nullptr;

    // The library, opened once; none when it or one of its calls is missing.
    static const SqliteLibrary* get();
};

} // namespace orbitdeck
