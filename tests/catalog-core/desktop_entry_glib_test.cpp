// Our desktop-entry reader against GLib's, which desktops' menus use: over the fuzz corpus and
// the machine's own entries, GKeyFile must read the same values and GDesktopAppInfo must show the
// same entries under the same names.
#include "catalog-core/code_point_order.h"
#include "catalog-core/desktop_entry.h"
#include "catalog-core/key_file.h"
#include "tests/catalog-core/catalog_fixture.h"

#include <gio/gdesktopappinfo.h>
#include <glib.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace orbitdeck {
namespace {

namespace fs = std::filesystem;
using testing::ScopedVariable;

template <typename T, void (*Free)(T*)>
struct Freeing {
    void operator()(T* pointer) const { Free(pointer); }
};
using KeyFilePtr = std::unique_ptr<GKeyFile, Freeing<GKeyFile, g_key_file_free>>;

void freeObject(GObject* object) {
    g_object_unref(object);
}
void freeText(gchar* text) {
    g_free(text);
}
using TextPtr = std::unique_ptr<gchar, Freeing<gchar, freeText>>;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What GLib makes of an entry: shown as a menu would list it, and under which name.
std::optional<std::string> gioShownName(const fs::path& path) {
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(path.c_str());
    if (info == nullptr)
        return std::nullopt;
    std::optional<std::string> name;
    if (g_app_info_should_show(G_APP_INFO(info)) && !g_desktop_app_info_get_is_hidden(info))
        name = g_app_info_get_name(G_APP_INFO(info));
    freeObject(G_OBJECT(info));
    return name;
}

std::optional<std::string> ourShownName(const fs::path& path,
                                        const DesktopEnvironment& environment) {
    const auto entry = readDesktopEntry(path, environment.locales);
    if (judgeDesktopEntry(entry, environment) != DesktopEntryVerdict::shown)
        return std::nullopt;
    return entry->name;
}

std::string shown(const std::optional<std::string>& name) {
    return name ? "shown as \"" + *name + "\"" : "not shown";
}

// The values of the [Desktop Entry] group where both readers take the file.
void compareValues(const std::string& text, const std::vector<std::string>& locales,
                   std::vector<std::string>& differences, const std::string& label) {
    const auto ours = parseKeyFile(text);
    KeyFilePtr theirs(g_key_file_new());
    const bool theirsRead = g_key_file_load_from_data(theirs.get(), text.data(), text.size(),
                                                      G_KEY_FILE_KEEP_TRANSLATIONS, nullptr);
    if (!ours || !theirsRead || ours->empty() || ours->front().name != "Desktop Entry")
        return;
    const KeyFileGroup& group = ours->front();
    gsize count = 0;
    gchar** keys = g_key_file_get_keys(theirs.get(), "Desktop Entry", &count, nullptr);
    for (gsize index = 0; keys != nullptr && index < count; ++index) {
        const std::string key = keys[index];
        TextPtr value(g_key_file_get_string(theirs.get(), "Desktop Entry", keys[index], nullptr));
        const std::string* raw = group.find(key);
        // A value that is not UTF-8 reads as absent.
        const std::optional<std::string> mine =
            raw && isValidUtf8(*raw) ? std::optional(unescapeKeyFileValue(*raw)) : std::nullopt;
        const std::optional<std::string> glibs =
            value ? std::optional<std::string>(value.get()) : std::nullopt;
        if (mine != glibs)
            differences.push_back(label + ": " + key + " is " +
                                  (mine ? "\"" + *mine + "\"" : "none") +
                                  ", GKeyFile: " + (glibs ? "\"" + *glibs + "\"" : "none"));
    }
    std::set<std::string> unique(keys, keys + count);
    g_strfreev(keys);
    if (group.values.size() != unique.size())
        differences.push_back(label + ": " + std::to_string(group.values.size()) +
                              " keys, GKeyFile " + std::to_string(unique.size()));
    for (const std::string& locale : locales) {
        TextPtr name(g_key_file_get_locale_string(theirs.get(), "Desktop Entry", "Name",
                                                  locale.c_str(), nullptr));
        const auto alone = parseDesktopEntry(text, localeVariants(locale));
        if (name && alone && alone->named && alone->name != name.get())
            differences.push_back(label + ": Name for " + locale + " is \"" + alone->name +
                                  "\", GKeyFile: \"" + name.get() + "\"");
    }
}

// An application entry without a plain Name or without anything to start, which GIO lists
// anyway (the first as "Unnamed").
bool invalidByTheFormat(const std::optional<DesktopEntry>& entry) {
    return entry && !entry->hidden && entry->type == "Application" &&
           (!entry->named || ((!entry->exec || entry->exec->empty()) && !entry->dbusActivatable));
}

TEST(DesktopEntryAgainstGLib, ShowsTheEntriesGioShowsUnderTheSameNames) {
    testing::TemporaryFolder bin;
    testing::writeFile(bin / "present", "#!/bin/sh\n");
    ::chmod((bin / "present").c_str(), 0755);
    const std::string path = bin.path().string() + ":/usr/bin:/bin";
    // GIO reads the desktop once per process: this is the only test here that asks it.
    const ScopedVariable desktop("XDG_CURRENT_DESKTOP", "GNOME");
    const ScopedVariable language("LANGUAGE", nullptr);
    const ScopedVariable all("LC_ALL", "sr_RS.UTF-8@latin");
    const ScopedVariable searchPath("PATH", path.c_str());
    const DesktopEnvironment environment = DesktopEnvironment::current();

    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(DESKTOP_ENTRY_CORPUS))
        files.push_back(item.path());
    std::error_code error;
    // The machine's own entries, read only.
    for (fs::recursive_directory_iterator item("/usr/share/applications", error), end;
         !error && item != end; item.increment(error)) {
        if (item->is_regular_file() && item->path().extension() == ".desktop")
            files.push_back(item->path());
    }
    std::sort(files.begin(), files.end());
    ASSERT_GT(files.size(), 20U);

    std::vector<std::string> differences;
    for (const fs::path& file : files) {
        const std::string label = file.filename().string();
        const auto ours = ourShownName(file, environment);
        const auto theirs = gioShownName(file);
        if (ours != theirs && !invalidByTheFormat(readDesktopEntry(file, environment.locales)))
            differences.push_back(label + ": " + shown(ours) + ", GIO: " + shown(theirs));
        compareValues(readAll(file), environment.locales, differences, label);
    }
    std::string report;
    for (const std::string& difference : differences)
        report += "\n  " + difference;
    EXPECT_TRUE(differences.empty()) << files.size() << " entries read;" << report;
}

} // namespace
} // namespace orbitdeck
