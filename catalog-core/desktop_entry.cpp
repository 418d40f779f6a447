#include "catalog-core/desktop_entry.h"

#include "catalog-core/code_point_order.h"
#include "catalog-core/failure_log.h"
#include "catalog-core/info_plist.h"
#include "catalog-core/key_file.h"
#include "catalog-core/scanned_desktop_entries.h"

#include <dirent.h>
#include <fcntl.h>
#include <glib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace orbitdeck {
namespace {

// Nested folders deeper than this are not entered: no real menu goes near it, and it bounds a
// walk through a tree of links.
constexpr int maxEntryDepth = 8;

std::vector<std::string> splitNonEmpty(std::string_view text, char separator) {
    std::vector<std::string> parts;
    while (!text.empty()) {
        const auto at = text.find(separator);
        if (const auto part = text.substr(0, at); !part.empty())
            parts.emplace_back(part);
        text = at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    }
    return parts;
}

// A value that is not UTF-8 counts as absent, as with GLib.
std::optional<std::string> stringValue(const KeyFileGroup& group, const std::string& key) {
    if (const std::string* raw = group.find(key); raw && isValidUtf8(*raw))
        return unescapeKeyFileValue(*raw);
    return std::nullopt;
}

std::vector<std::string> listValue(const KeyFileGroup& group, const std::string& key) {
    const std::string* raw = group.find(key);
    return raw && isValidUtf8(*raw) ? keyFileList(*raw) : std::vector<std::string>{};
}

bool isExecutableFile(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

bool resolvesToExecutable(const std::string& program, const DesktopEnvironment& environment) {
    if (program.empty())
        return false;
    if (program.find('/') != std::string::npos)
        return program.front() == '/' && isExecutableFile(program);
    return std::ranges::any_of(environment.searchPath, [&](const std::filesystem::path& folder) {
        return isExecutableFile(folder / program);
    });
}

// Whether the show rules let the entry appear on the current desktop: the first desktop of
// $XDG_CURRENT_DESKTOP named by OnlyShowIn or NotShowIn decides.
bool shownOnDesktop(const DesktopEntry& entry, const std::vector<std::string>& desktops) {
    for (const std::string& desktop : desktops) {
        if (std::ranges::find(entry.onlyShowIn, desktop) != entry.onlyShowIn.end())
            return true;
        if (std::ranges::find(entry.notShowIn, desktop) != entry.notShowIn.end())
            return false;
    }
    return entry.onlyShowIn.empty();
}

// The program an Exec line starts: its first word by the shell's quoting rules, as GIO splits it;
// none when the line does not split (an open quote).
std::optional<std::string> execProgram(const std::string& exec) {
    // Without quotes, escapes or comments the first word is the program; only such a line needs
    // the shell's rules (which also refuse a quote left open anywhere in it).
    const auto special = [](char c) { return c == '\'' || c == '"' || c == '\\' || c == '#'; };
    if (std::ranges::none_of(exec, special)) {
        const auto start = exec.find_first_not_of(" \t\n");
        if (start == std::string::npos)
            return std::nullopt;
        return exec.substr(start, exec.find_first_of(" \t\n", start) - start);
    }
    gint count = 0;
    gchar** words = nullptr;
    if (!g_shell_parse_argv(exec.c_str(), &count, &words, nullptr))
        return std::nullopt;
    std::string program = count > 0 ? words[0] : "";
    g_strfreev(words);
    return program;
}

// Program look-ups of one scan, which entries often share.
using FoundPrograms = std::unordered_map<std::string, bool>;

bool findsProgram(const std::string& program, const DesktopEnvironment& environment,
                  FoundPrograms* found) {
    if (!found)
        return resolvesToExecutable(program, environment);
    const auto known = found->find(program);
    if (known != found->end())
        return known->second;
    return found->emplace(program, resolvesToExecutable(program, environment)).first->second;
}

DesktopEntryVerdict judge(const std::optional<DesktopEntry>& entry,
                          const DesktopEnvironment& environment, FoundPrograms* found) {
    if (!entry)
        return DesktopEntryVerdict::broken;
    // A deleted entry needs nothing else: it only hides the ones below it.
    if (entry->hidden)
        return DesktopEntryVerdict::masked;
    if (entry->type.empty() || !entry->named)
        return DesktopEntryVerdict::broken;
    if (entry->type != "Application")
        return DesktopEntryVerdict::masked;
    const bool runs = entry->exec && !entry->exec->empty();
    if (!runs && !entry->dbusActivatable)
        return DesktopEntryVerdict::broken;
    if (entry->noDisplay || !shownOnDesktop(*entry, environment.currentDesktops))
        return DesktopEntryVerdict::masked;
    if (entry->tryExec && !findsProgram(*entry->tryExec, environment, found))
        return DesktopEntryVerdict::masked;
    // A menu must not offer what cannot start: the program of Exec has to be there.
    if (runs) {
        const auto program = execProgram(*entry->exec);
        if (!program || !findsProgram(*program, environment, found))
            return DesktopEntryVerdict::masked;
    }
    return DesktopEntryVerdict::shown;
}

struct FoundEntry {
    std::string id;
    std::filesystem::path path;
};

// One walk of an entry folder's tree. Every folder is entered once, however many links lead to
// it, so links to "." or ".." or in a circle end; the names read are capped, so a link to "/" or
// "/proc" ends too.
class EntryWalk {
public:
    std::vector<FoundEntry> found;
    // False once the cap stopped the walk.
    bool complete = true;

    // Walks the folder open at folderFd (taken over). False when the cap stopped it.
    bool walk(int folderFd, const std::string& folderPath, const std::string& idPrefix, int depth) {
        struct stat status {};
        if (::fstat(folderFd, &status) != 0 ||
            !visited_.emplace(status.st_dev, status.st_ino).second) {
            ::close(folderFd);
            return true;
        }
        DIR* folder = ::fdopendir(folderFd);
        if (folder == nullptr) {
            ::close(folderFd);
            return true;
        }
        struct Child {
            std::string name;
            bool link;
        };
        std::vector<Child> children;
        while (const dirent* item = ::readdir(folder)) {
            const std::string_view name(item->d_name);
            if (name == "." || name == "..")
                continue;
            if (++itemsRead_ > maxEntryFolderItems) {
                ::closedir(folder);
                return complete = false;
            }
            if (name.empty() || name.front() == '.' || !isValidUtf8(name))
                continue;
            if (name.size() > 8 && name.ends_with(".desktop")) {
                std::string path = folderPath + '/';
                path += name;
                found.push_back({.id = idPrefix + std::string(name), .path = std::move(path)});
            } else if (depth < maxEntryDepth &&
                       (item->d_type == DT_DIR || item->d_type == DT_UNKNOWN ||
                        item->d_type == DT_LNK)) {
                children.push_back({.name = std::string(name), .link = item->d_type == DT_LNK});
            }
        }
        // A folder reached by its own path keeps its id rather than one through a link to it.
        std::ranges::stable_partition(children, [](const Child& child) { return !child.link; });
        bool finished = true;
        for (const Child& child : children) {
            // Links to folders are followed (packaging tools link whole menus in).
            const int childFd =
                ::openat(::dirfd(folder), child.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (childFd < 0)
                continue;
            const std::size_t before = found.size();
            if (!walk(childFd, folderPath + '/' + child.name, idPrefix + child.name + '-',
                      depth + 1)) {
                // What a link led into is only taken whole: part of "/" is no menu.
                if (child.link)
                    found.resize(before);
                finished = false;
                break;
            }
        }
        ::closedir(folder);
        return finished;
    }

private:
    std::set<std::pair<dev_t, ino_t>> visited_;
    std::size_t itemsRead_ = 0;
};

} // namespace

DesktopEnvironment DesktopEnvironment::current() {
    DesktopEnvironment environment;
    environment.locales = userLocales(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                      std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    if (const char* desktops = std::getenv("XDG_CURRENT_DESKTOP"))
        environment.currentDesktops = splitNonEmpty(desktops, ':');
    const char* path = std::getenv("PATH");
    for (const auto& folder : splitNonEmpty(path ? path : "/usr/local/bin:/usr/bin:/bin", ':'))
        environment.searchPath.emplace_back(folder);
    return environment;
}

std::vector<std::string> localeVariants(std::string_view locale) {
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C."))
        return {};
    const auto at = locale.find('@');
    const std::string modifier =
        at == std::string_view::npos ? std::string() : std::string(locale.substr(at));
    locale = locale.substr(0, at);
    const auto dot = locale.find('.');
    const std::string codeset =
        dot == std::string_view::npos ? std::string() : std::string(locale.substr(dot));
    locale = locale.substr(0, dot);
    const auto underscore = locale.find('_');
    const std::string language(locale.substr(0, underscore));
    if (language.empty())
        return {};
    const std::string territory = underscore == std::string_view::npos
                                      ? std::string()
                                      : std::string(locale.substr(underscore));
    // The modifier weighs most, then the territory, then the code set, as GLib orders them.
    std::vector<std::string> variants;
    for (const std::string& withModifier : {modifier, std::string()}) {
        for (const std::string& withTerritory : {territory, std::string()}) {
            for (const std::string& withCodeset : {codeset, std::string()}) {
                std::string variant = language + withTerritory + withCodeset + withModifier;
                if (std::ranges::find(variants, variant) == variants.end())
                    variants.push_back(std::move(variant));
            }
        }
    }
    return variants;
}

std::vector<std::string> userLocales(const char* language, const char* lcAll,
                                     const char* lcMessages, const char* lang) {
    const char* effective = nullptr;
    for (const char* candidate : {lcAll, lcMessages, lang}) {
        if (candidate != nullptr && *candidate != '\0') {
            effective = candidate;
            break;
        }
    }
    // Under the C locale LANGUAGE is ignored, as gettext and the interface language do, so
    // names and the interface never speak two languages.
    if (effective == nullptr || localeVariants(effective).empty())
        return {};
    // LANGUAGE, when set, replaces the locale's own language rather than adding to it.
    std::vector<std::string> names;
    if (language != nullptr)
        names = splitNonEmpty(language, ':');
    if (names.empty())
        names.emplace_back(effective);
    std::vector<std::string> locales;
    for (const std::string& name : names) {
        for (std::string& variant : localeVariants(name)) {
            if (std::ranges::find(locales, variant) == locales.end())
                locales.push_back(std::move(variant));
        }
    }
    return locales;
}

std::optional<DesktopEntry> parseDesktopEntry(std::string_view text,
                                              const std::vector<std::string>& locales) {
    const auto file = parseKeyFile(text);
    if (!file || file->empty() || file->front().name != "Desktop Entry")
        return std::nullopt;
    const KeyFileGroup& group = file->front();
    DesktopEntry entry;
    entry.type = stringValue(group, "Type").value_or(std::string());
    std::optional<std::string> name;
    std::string key;
    for (const std::string& locale : locales) {
        key.assign("Name[").append(locale).append(1, ']');
        if ((name = stringValue(group, key)))
            break;
    }
    if (!name)
        name = stringValue(group, "Name");
    entry.name = name.value_or(std::string());
    entry.exec = stringValue(group, "Exec");
    entry.tryExec = stringValue(group, "TryExec");
    entry.icon = stringValue(group, "Icon");
    entry.startupWMClass = stringValue(group, "StartupWMClass");
    entry.categories = listValue(group, "Categories");
    entry.onlyShowIn = listValue(group, "OnlyShowIn");
    entry.notShowIn = listValue(group, "NotShowIn");
    entry.hidden = keyFileBoolean(group.find("Hidden"));
    entry.noDisplay = keyFileBoolean(group.find("NoDisplay"));
    entry.dbusActivatable = keyFileBoolean(group.find("DBusActivatable"));
    // Only translations and no plain Name is not a valid entry.
    entry.named = stringValue(group, "Name").has_value();
    return entry;
}

std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& path,
                                             const std::vector<std::string>& locales) {
    const auto text = readSmallFile(path, maxDesktopEntryBytes);
    if (!text)
        return std::nullopt;
    return parseDesktopEntry(*text, locales);
}

DesktopEntryVerdict judgeDesktopEntry(const std::optional<DesktopEntry>& entry,
                                      const DesktopEnvironment& environment) {
    return judge(entry, environment, nullptr);
}

bool isDesktopEntryPath(const std::filesystem::path& path) {
    return path.native().ends_with(".desktop");
}

std::vector<std::filesystem::path> desktopEntryFolders() {
    std::vector<std::filesystem::path> folders;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome == '/') {
        folders.emplace_back(dataHome);
    } else if (const char* home = std::getenv("HOME"); home != nullptr && *home == '/') {
        folders.push_back(std::filesystem::path(home) / ".local" / "share");
    }
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    const std::string dirs =
        dataDirs != nullptr && *dataDirs != '\0' ? dataDirs : "/usr/local/share/:/usr/share/";
    for (const std::string& dir : splitNonEmpty(dirs, ':')) {
        if (dir.front() == '/')
            folders.emplace_back(dir);
    }
    for (auto& folder : folders)
        folder = std::filesystem::path(standardizedPath(folder)) / "applications";
    // A folder named twice is read once, where it first appears.
    std::vector<std::filesystem::path> unique;
    for (auto& folder : folders) {
        if (std::ranges::find(unique, folder) == unique.end())
            unique.push_back(std::move(folder));
    }
    return unique;
}

std::optional<std::string> desktopFileId(const std::filesystem::path& folder,
                                         const std::filesystem::path& path) {
    std::string base = standardizedPath(folder);
    const std::string full = standardizedPath(path);
    if (!base.ends_with('/'))
        base += '/';
    if (!full.starts_with(base) || full.size() == base.size())
        return std::nullopt;
    std::string id = full.substr(base.size());
    std::ranges::replace(id, '/', '-');
    return id;
}

std::optional<std::string> desktopFileId(const std::vector<std::filesystem::path>& folders,
                                         const std::filesystem::path& path) {
    for (const auto& folder : folders) {
        if (auto id = desktopFileId(folder, path))
            return id;
    }
    return std::nullopt;
}

AppDescriptor describeDesktopEntry(const DesktopEntry& entry, std::string_view desktopFileId,
                                   const std::filesystem::path& path) {
    std::string identifier(desktopFileId);
    if (identifier.ends_with(".desktop"))
        identifier.resize(identifier.size() - std::string_view(".desktop").size());
    return AppDescriptor(entry.name, std::move(identifier), path);
}

DesktopEntryFolderScan scanDesktopEntryFolder(const std::filesystem::path& folder,
                                              const DesktopEnvironment& environment) {
    DesktopEntryFolderScan scan;
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        if (errno != ENOENT && errno != ENOTDIR)
            logFailure(catalogLog, failedOn("cannot read the folder", folder.native(), errno));
        scan.complete = false;
        scan.opened = false;
        return scan;
    }
    EntryWalk walk;
    walk.walk(folderFd, standardizedPath(folder), "", 1);
    scan.complete = walk.complete;
    // "kde/foo.desktop" and "kde-foo.desktop" share an id: the smaller path wins.
    std::ranges::sort(walk.found, [](const FoundEntry& left, const FoundEntry& right) {
        return left.path.native() < right.path.native();
    });
    std::unordered_set<std::string> decided;
    decided.reserve(walk.found.size());
    scan.decisions.reserve(walk.found.size());
    FoundPrograms programs;
    for (FoundEntry& candidate : walk.found) {
        if (decided.contains(candidate.id))
            continue;
        const auto entry = readDesktopEntry(candidate.path, environment.locales);
        const DesktopEntryVerdict verdict = judge(entry, environment, &programs);
        if (verdict == DesktopEntryVerdict::broken)
            continue;
        decided.insert(candidate.id);
        std::optional<AppDescriptor> shown;
        if (verdict == DesktopEntryVerdict::shown) {
            shown = describeDesktopEntry(*entry, candidate.id, candidate.path);
            rememberScannedDesktopEntry(candidate.path.native(),
                                        {entry->icon.value_or(""), entry->categories});
        }
        scan.decisions.push_back({.id = std::move(candidate.id), .shown = std::move(shown)});
    }
    return scan;
}

std::vector<AppDescriptor> mergeDesktopEntryFolders(std::vector<DesktopEntryFolderScan> scans) {
    // Views of the ids, which stay in place in scans.
    std::unordered_set<std::string_view> decided;
    std::size_t count = 0;
    for (const DesktopEntryFolderScan& scan : scans)
        count += scan.decisions.size();
    decided.reserve(count);
    std::vector<AppDescriptor> shown;
    shown.reserve(count);
    for (DesktopEntryFolderScan& scan : scans) {
        for (DesktopEntryDecision& decision : scan.decisions) {
            if (decided.insert(decision.id).second && decision.shown)
                shown.push_back(std::move(*decision.shown));
        }
    }
    std::sort(shown.begin(), shown.end(), AppDescriptor::displayNameOrder);
    return shown;
}

std::vector<AppDescriptor> scanDesktopEntries(const std::vector<std::filesystem::path>& folders,
                                              const DesktopEnvironment& environment) {
    std::vector<DesktopEntryFolderScan> scans;
    scans.reserve(folders.size());
    for (const auto& folder : folders)
        scans.push_back(scanDesktopEntryFolder(folder, environment));
    return mergeDesktopEntryFolders(std::move(scans));
}

} // namespace orbitdeck
