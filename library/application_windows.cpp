#include "library/application_windows.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace orbitdeck {

namespace fs = std::filesystem;

namespace {

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
           });
}

std::string_view withoutDesktopSuffix(std::string_view id) {
    constexpr std::string_view suffix = ".desktop";
    if (id.size() > suffix.size() && id.ends_with(suffix))
        id.remove_suffix(suffix.size());
    return id;
}

bool classNamed(const ClientWindow& window, std::string_view name, bool ignoreCase) {
    if (name.empty())
        return false;
    const auto same = [&](std::string_view value) {
        return ignoreCase ? equalIgnoringAsciiCase(value, name) : value == name;
    };
    return same(window.className) || same(window.instanceName);
}

bool belongsTo(const WindowTarget& target, const ClientWindow& window) {
    if (window.pid && target.foreignPids.contains(*window.pid))
        return false;
    if (target.executable && window.executable &&
        window.executable->lexically_normal() == target.executable->lexically_normal())
        return true;
    // A declared StartupWMClass is the entry's own word on its windows; the names are a guess
    // and only stand in when it is missing.
    if (target.startupWMClass)
        return classNamed(window, *target.startupWMClass, false);
    return (target.desktopFileId &&
            classNamed(window, withoutDesktopSuffix(*target.desktopFileId), true)) ||
           (target.executableName && classNamed(window, *target.executableName, true));
}

} // namespace

std::optional<std::uint32_t> matchingWindow(const WindowTarget& target,
                                            const std::vector<ClientWindow>& windows) {
    const auto found = std::find_if(windows.rbegin(), windows.rend(),
                                    [&](const ClientWindow& w) { return belongsTo(target, w); });
    if (found == windows.rend())
        return std::nullopt;
    return found->id;
}

std::optional<WindowTarget> desktopEntryTarget(const std::string& desktopFileId,
                                               const std::optional<std::string>& startupWMClass,
                                               const std::optional<fs::path>& program,
                                               bool dbusActivatable) {
    if (dbusActivatable)
        return std::nullopt;
    WindowTarget target{.startupWMClass = startupWMClass};
    if (!desktopFileId.empty())
        target.desktopFileId = std::string(withoutDesktopSuffix(desktopFileId));
    if (program && !program->filename().empty())
        target.executableName = program->filename().string();
    return target;
}

std::optional<fs::path> processExecutable(int pid, const fs::path& proc) {
    if (pid <= 0)
        return std::nullopt;
    std::error_code error;
    fs::path executable = fs::read_symlink(proc / std::to_string(pid) / "exe", error);
    // A replaced or removed program reads as "<path> (deleted)": no longer what the bundle runs.
    if (error || executable.empty() || executable.string().ends_with(" (deleted)"))
        return std::nullopt;
    return executable;
}

bool bringForward(ApplicationWindows& windows, const WindowTarget& target, const fs::path& proc) {
    WindowTarget resolved = target;
    if (resolved.executable) {
        // The kernel reports the program with every symbolic link resolved.
        std::error_code error;
        const fs::path canonical = fs::canonical(*resolved.executable, error);
        resolved.executable = error ? resolved.executable->lexically_normal() : canonical;
    }
    std::vector<ClientWindow> candidates = windows.clientWindows();
    if (resolved.executable) {
        for (ClientWindow& window : candidates) {
            if (window.pid && !window.executable)
                window.executable = processExecutable(*window.pid, proc);
        }
    }
    const std::optional<std::uint32_t> window = matchingWindow(resolved, candidates);
    return window && windows.activate(*window);
}

} // namespace orbitdeck
