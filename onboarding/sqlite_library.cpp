#include "onboarding/sqlite_library.h"

#include "onboarding/onboarding_log.h"

#include <dlfcn.h>

#include <optional>

namespace orbitdeck {

namespace {

template <typename Function>
bool resolve(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(::dlsym(library, name));
    return function != nullptr;
}

std::optional<SqliteLibrary> openLibrary() {
    // The run-time name of every SQLite 3 since its first release.
    void* library = ::dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qCWarning(onboardingLog) << "cannot open SQLite:" << ::dlerror();
        return std::nullopt;
    }
    SqliteLibrary calls;
    const bool complete = resolve(library, "sqlite3_open_v2", calls.open) &&
                          resolve(library, "sqlite3_errmsg", calls.errorMessage) &&
                          resolve(library, "sqlite3_close", calls.close) &&
                          resolve(library, "sqlite3_progress_handler", calls.progressHandler) &&
                          resolve(library, "sqlite3_prepare_v2", calls.prepare) &&
                          resolve(library, "sqlite3_finalize", calls.finalize) &&
                          resolve(library, "sqlite3_step", calls.step) &&
                          resolve(library, "sqlite3_column_text", calls.columnText) &&
                          resolve(library, "sqlite3_column_bytes", calls.columnBytes) &&
                          resolve(library, "sqlite3_column_int", calls.columnInt) &&
                          resolve(library, "sqlite3_column_int64", calls.columnInt64);
    if (!complete) {
        qCWarning(onboardingLog) << "SQLite lacks a call the import needs";
        return std::nullopt;
    }
    // Kept open: the calls stay in use for the rest of the run.
    return calls;
}

} // namespace

const SqliteLibrary* SqliteLibrary::get() {
    static const std::optional<SqliteLibrary> library = openLibrary();
    return library ? &*library : nullptr;
}

} // namespace orbitdeck
