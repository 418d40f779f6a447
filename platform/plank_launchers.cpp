#include "platform/plank_launchers.h"

#include "platform/config_home.h"
#include "platform/durable_file.h"
#include "platform/running_applications.h"

#include <QFile>
#include <QString>
#include <QUrl>

#include <glib.h>

#include <algorithm>
#include <memory>

namespace orbitdeck {

namespace fs = std::filesystem;

namespace {

constexpr const char* group = "PlankDockItemPreferences";
constexpr const char* launcherKey = "Launcher";
// A dock item is a few lines; anything larger is not one.
constexpr qint64 maxItemBytes = 64 * 1024;

struct KeyFileFree {
    void operator()(GKeyFile* file) const { g_key_file_free(file); }
};
using KeyFile = std::unique_ptr<GKeyFile, KeyFileFree>;

std::optional<std::string> launcherOf(const fs::path& item) {
    const FileReadResult read = readFileCapped(QString::fromStdString(item.string()), maxItemBytes);
    const auto* bytes = std::get_if<QByteArray>(&read);
    if (!bytes)
        return std::nullopt;
    const KeyFile file(g_key_file_new());
    if (!g_key_file_load_from_data(file.get(), bytes->constData(),
                                   static_cast<gsize>(bytes->size()), G_KEY_FILE_NONE, nullptr))
        return std::nullopt;
    gchar* value = g_key_file_get_string(file.get(), group, launcherKey, nullptr);
    if (value == nullptr)
        return std::nullopt;
    std::string launcher(value);
    g_free(value);
    return launcher;
}

// "<stem>.dockitem", "<stem>-2.dockitem", ...: the first name not taken.
fs::path freeItemName(const fs::path& folder, std::string stem) {
    std::ranges::replace(stem, '/', '-');
    if (stem.empty() || stem.starts_with('.'))
        stem = "launcher" + stem;
    fs::path candidate = folder / (stem + ".dockitem");
    std::error_code error;
    for (int n = 2; fs::symlink_status(candidate, error).type() != fs::file_type::not_found; ++n)
        candidate = folder / (stem + "-" + std::to_string(n) + ".dockitem");
    return candidate;
}

} // namespace

fs::path PlankLaunchers::standardFolder() {
    return fs::path(configHome().toStdString()) / "plank";
}

PlankLaunchers::PlankLaunchers(fs::path folder, std::function<bool()> running)
    : folder_(std::move(folder))
    , running_(std::move(running)) {
    if (!running_)
        running_ = [] { return ownProcessRuns("plank"); };
}

std::optional<std::vector<fs::path>> PlankLaunchers::dockFolders() const {
    if (!running_())
        return std::nullopt;
    std::vector<fs::path> docks;
    std::error_code error;
    for (fs::directory_iterator dock(folder_, error), end; !error && dock != end;
         dock.increment(error)) {
        const fs::path launchers = dock->path() / "launchers";
        std::error_code kindError;
        if (fs::is_directory(launchers, kindError))
            docks.push_back(launchers);
    }
    if (docks.empty())
        return std::nullopt;
    std::ranges::sort(docks);
    return docks;
}

std::vector<PlankLaunchers::Item> PlankLaunchers::items(const fs::path& launchersFolder) const {
    std::vector<Item> found;
    std::error_code error;
    for (fs::directory_iterator item(launchersFolder, error), end; !error && item != end;
         item.increment(error)) {
        if (item->path().extension() != ".dockitem")
            continue;
        const auto url = launcherOf(item->path());
        found.push_back({.file = item->path(),
                         .launcher = {.desktopFileId = std::nullopt,
                                      .file = url ? launcherFile(*url) : std::nullopt}});
    }
    std::ranges::sort(found, {}, &Item::file);
    return found;
}

std::optional<std::vector<LauncherDock::Launcher>> PlankLaunchers::launchers() {
    const auto docks = dockFolders();
    if (!docks)
        return std::nullopt;
    std::vector<Launcher> launchers;
    for (const fs::path& dock : *docks)
        for (Item& item : items(dock))
            launchers.push_back(std::move(item.launcher));
    return launchers;
}

bool PlankLaunchers::add(const fs::path& entry, const std::string& desktopFileId) {
    const auto docks = dockFolders();
    if (!docks)
        return false;
    const KeyFile file(g_key_file_new());
    const QByteArray url =
        QUrl::fromLocalFile(QString::fromStdString(entry.string())).toEncoded(QUrl::FullyEncoded);
    g_key_file_set_string(file.get(), group, launcherKey, url.constData());
    gsize length = 0;
    gchar* data = g_key_file_to_data(file.get(), &length, nullptr);
    const QByteArray bytes(data, static_cast<qsizetype>(length));
    g_free(data);
    std::string stem = desktopFileId;
    if (stem.ends_with(".desktop"))
        stem.resize(stem.size() - std::string_view(".desktop").size());
    bool stored = true;
    for (const fs::path& dock : *docks)
        stored =
            writeFileDurably(QString::fromStdString(freeItemName(dock, stem).string()), bytes) &&
            stored;
    return stored;
}

bool PlankLaunchers::remove(const Matches& matches) {
    const auto docks = dockFolders();
    if (!docks)
        return false;
    bool removed = true;
    for (const fs::path& dock : *docks)
        for (const Item& item : items(dock)) {
            std::error_code error;
            if (matches(item.launcher) && !fs::remove(item.file, error))
                removed = false;
        }
    return removed;
}

} // namespace orbitdeck
