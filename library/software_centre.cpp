#include "library/software_centre.h"

#include "catalog-core/desktop_entry.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <utility>

namespace orbitdeck {

namespace fs = std::filesystem;

namespace {

struct Known {
    const char* program;
    const char* desktopFileId;
    const char* desktop;
};
constexpr std::array<Known, 2> known{{
    {"gnome-software", "org.gnome.Software.desktop", "GNOME"},
    {"plasma-discover", "org.kde.discover.desktop", "KDE"},
}};

bool isExecutableFile(const fs::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

std::optional<fs::path> resolveProgram(const std::string& name, const std::vector<fs::path>& path) {
    if (name.empty())
        return std::nullopt;
    if (name.find('/') != std::string::npos) {
        if (fs::path(name).is_absolute() && isExecutableFile(name))
            return fs::path(name);
        return std::nullopt;
    }
    for (const fs::path& folder : path) {
        if (folder.is_absolute() && isExecutableFile(folder / name))
            return folder / name;
    }
    return std::nullopt;
}

// The Exec value's arguments: quoting and escapes undone, field codes dropped (nothing is
// opened with it, so %u and friends expand to nothing).
std::optional<std::vector<std::string>> execArguments(std::string_view exec) {
    std::vector<std::string> arguments;
    std::string current;
    bool inQuotes = false;
    bool hasToken = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (inQuotes) {
            if (c == '"') {
                inQuotes = false;
            } else if (c == '\\' && i + 1 < exec.size()) {
                current += exec[++i];
            } else {
                current += c;
            }
        } else if (c == '"') {
            inQuotes = hasToken = true;
        } else if (c == ' ' || c == '\t') {
            if (hasToken)
                arguments.push_back(std::exchange(current, {}));
            hasToken = false;
        } else if (c == '%' && i + 1 < exec.size()) {
            if (exec[++i] == '%') {
                current += '%';
                hasToken = true;
            }
        } else {
            current += c;
            hasToken = true;
        }
    }
    if (inQuotes)
        return std::nullopt;
    if (hasToken)
        arguments.push_back(current);
    // A field code alone was an argument of its own and goes with its expansion.
    std::erase(arguments, std::string{});
    return arguments;
}

std::optional<SoftwareCentre> fromDesktopEntry(const fs::path& file,
                                               const std::vector<fs::path>& path) {
    const auto entry = readDesktopEntry(file, {});
    if (!entry || entry->hidden || !entry->exec ||
        (entry->tryExec && !resolveProgram(*entry->tryExec, path)))
        return std::nullopt;
    auto arguments = execArguments(*entry->exec);
    if (!arguments || arguments->empty())
        return std::nullopt;
    const auto program = resolveProgram(arguments->front(), path);
    if (!program)
        return std::nullopt;
    arguments->erase(arguments->begin());
    return SoftwareCentre{.program = *program, .arguments = std::move(*arguments)};
}

std::optional<SoftwareCentre> find(const Known& centre, const SoftwareCentrePlaces& places) {
    if (const auto program = resolveProgram(centre.program, places.path))
        return SoftwareCentre{.program = *program};
    // The first data folder that has the entry decides, as for every desktop entry.
    for (const fs::path& folder : places.dataDirs) {
        const fs::path file = folder / "applications" / centre.desktopFileId;
        std::error_code error;
        if (fs::exists(file, error))
            return fromDesktopEntry(file, places.path);
    }
    return std::nullopt;
}

std::vector<std::string> split(const char* value, char separator) {
    std::vector<std::string> parts;
    if (value == nullptr)
        return parts;
    std::stringstream stream{std::string(value)};
    for (std::string part; std::getline(stream, part, separator);) {
        if (!part.empty())
            parts.push_back(part);
    }
    return parts;
}

} // namespace

std::vector<std::string> SoftwareCentre::searchArguments(const std::string& query) const {
    std::vector<std::string> all = arguments;
    all.push_back("--search");
    all.push_back(query);
    return all;
}

std::optional<SoftwareCentre> findSoftwareCentre(const SoftwareCentrePlaces& places) {
    std::vector<const Known*> order;
    for (const Known& centre : known) {
        const bool ours = std::find(places.currentDesktops.begin(), places.currentDesktops.end(),
                                    centre.desktop) != places.currentDesktops.end();
        order.insert(ours ? order.begin() : order.end(), &centre);
    }
    for (const Known* centre : order) {
        if (auto found = find(*centre, places))
            return found;
    }
    return std::nullopt;
}

SoftwareCentrePlaces softwareCentrePlaces() {
    SoftwareCentrePlaces places;
    for (const std::string& folder : split(std::getenv("PATH"), ':'))
        places.path.emplace_back(folder);
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome != '\0')
        places.dataDirs.emplace_back(dataHome);
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        places.dataDirs.push_back(fs::path(home) / ".local" / "share");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    for (const std::string& folder :
         split(dataDirs != nullptr && *dataDirs != '\0' ? dataDirs : "/usr/local/share:/usr/share",
               ':'))
        places.dataDirs.emplace_back(folder);
    places.currentDesktops = split(std::getenv("XDG_CURRENT_DESKTOP"), ':');
    return places;
}

} // namespace orbitdeck
