#include "library/desktop_entry_launch.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <memory>

namespace orbitdeck {
namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GDesktopAppInfo, ObjectUnref>;

AppInfo loadEntry(const std::filesystem::path& entry) {
    // GIO refuses an entry whose TryExec or Exec program is missing: that is a failure to start.
    return AppInfo(g_desktop_app_info_new_from_filename(entry.c_str()));
}

} // namespace

bool launchDesktopEntry(const std::filesystem::path& entry) {
    const AppInfo info = loadEntry(entry);
    if (!info)
        return false;
    GError* error = nullptr;
    // GIO starts the program through an intermediate child it reaps itself, with every
    // descriptor above stderr closed.
    const gboolean launched = g_app_info_launch(G_APP_INFO(info.get()), nullptr, nullptr, &error);
    if (error != nullptr)
        g_error_free(error);
    return launched != FALSE;
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
