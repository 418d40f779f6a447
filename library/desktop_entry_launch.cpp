#include "library/desktop_entry_launch.h"

#include "catalog-core/failure_log.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <functional>
#include <memory>

namespace orbitdeck {
namespace {

// A bus that does not answer the two questions in this time is taken as one that cannot start.
constexpr int busTimeoutMs = 2000;

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GDesktopAppInfo, ObjectUnref>;

AppInfo loadEntry(const std::filesystem::path& entry) {
    // GIO refuses an entry whose TryExec or Exec program is missing: that is a failure to start.
    return AppInfo(g_desktop_app_info_new_from_filename(entry.c_str()));
}

// The bus name GIO activates a D-Bus activatable entry by: its file name without ".desktop",
// when that is a well-known bus name. None for entries started through Exec.
std::optional<std::string> activationName(GDesktopAppInfo* info,
                                          const std::filesystem::path& entry) {
    if (!g_desktop_app_info_get_boolean(info, "DBusActivatable"))
        return std::nullopt;
    const std::string name = entry.stem().string();
    if (entry.extension() != ".desktop" || !g_dbus_is_name(name.c_str()) || name.front() == ':')
        return std::nullopt;
    return name;
}

bool busAnswers(GDBusConnection* bus, const char* method, GVariant* arguments,
                const GVariantType* reply, const std::function<bool(GVariant*)>& test) {
    GError* error = nullptr;
    GVariant* answer = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", method,
        arguments, reply, G_DBUS_CALL_FLAGS_NONE, busTimeoutMs, nullptr, &error);
    if (answer == nullptr) {
        logFailure(libraryLog, {"the session bus did not answer ", method, ": ", error->message});
        g_error_free(error);
        return false;
    }
    const bool result = test(answer);
    g_variant_unref(answer);
    return result;
}

// GIO hands a D-Bus activatable entry to the session bus without waiting for an answer, so a
// service that cannot start would fail unseen: the bus is asked first whether the name is
// running or can be activated. Without a session bus GIO starts Exec instead, so that is no
// failure here.
bool activatable(const std::string& name) {
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (bus == nullptr)
        return true;
    const bool owned = busAnswers(bus, "NameHasOwner", g_variant_new("(s)", name.c_str()),
                                  G_VARIANT_TYPE("(b)"), [](GVariant* answer) {
                                      gboolean has = FALSE;
                                      g_variant_get(answer, "(b)", &has);
                                      return has != FALSE;
                                  });
    const bool startable =
        owned || busAnswers(bus, "ListActivatableNames", nullptr, G_VARIANT_TYPE("(as)"),
                            [&name](GVariant* answer) {
                                GVariantIter* names = nullptr;
                                g_variant_get(answer, "(as)", &names);
                                bool found = false;
                                const gchar* candidate = nullptr;
                                while (!found && g_variant_iter_next(names, "&s", &candidate))
                                    found = name == candidate;
                                g_variant_iter_free(names);
                                return found;
                            });
    g_object_unref(bus);
    return startable;
}

} // namespace

bool launchDesktopEntry(const std::filesystem::path& entry, std::optional<int>* launched) {
    const AppInfo info = loadEntry(entry);
    if (!info) {
        logFailure(libraryLog,
                   {"cannot start ", entry.native(), ": unreadable, or its program is missing"});
        return false;
    }
    const auto name = activationName(info.get(), entry);
    if (name && !activatable(*name)) {
        logFailure(libraryLog, {"cannot start ", entry.native(), ": no bus service ", *name});
        return false;
    }
    GError* error = nullptr;
    // GIO starts the program through an intermediate child it reaps itself, with every
    // descriptor above stderr closed, and reports the program's process.
    std::optional<int> pid;
    const auto started = [](GDesktopAppInfo*, GPid process, gpointer found) {
        *static_cast<std::optional<int>*>(found) = static_cast<int>(process);
    };
    const gboolean ok = g_desktop_app_info_launch_uris_as_manager(
        info.get(), nullptr, nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr, started, &pid, &error);
    if (error != nullptr) {
        logFailure(libraryLog, {"cannot start ", entry.native(), ": ", error->message});
        g_error_free(error);
    }
    if (launched != nullptr)
        *launched = ok ? pid : std::nullopt;
    // The activation request is sent from GIO's bus thread: it has left once this returns, even
    // if the launcher quits right after.
    if (name && ok)
        if (GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)) {
            g_dbus_connection_flush_sync(bus, nullptr, nullptr);
            g_object_unref(bus);
        }
    return ok != FALSE;
}

std::optional<std::string> desktopEntryExecutable(const std::filesystem::path& entry) {
    const AppInfo info = loadEntry(entry);
    if (!info)
        return std::nullopt;
    const char* executable = g_app_info_get_executable(G_APP_INFO(info.get()));
    if (executable == nullptr || *executable == '\0')
        return std::nullopt;
    return std::string(executable);
}

} // namespace orbitdeck
