#include "catalog-core/scanned_desktop_entries.h"

#include <mutex>
#include <unordered_map>

namespace orbitdeck {
namespace {

struct Remembered {
    std::mutex mutex;
    std::unordered_map<std::string, ScannedDesktopEntry> entries;
};

Remembered& remembered() {
    static Remembered instance;
    return instance;
}

// Far above any real menu; past it, entries removed long ago no longer pile up.
constexpr std::size_t maxRemembered = 100000;

} // namespace

void rememberScannedDesktopEntry(std::string_view entryPath, ScannedDesktopEntry entry) {
    auto& all = remembered();
    const std::lock_guard lock(all.mutex);
    if (all.entries.size() >= maxRemembered)
        all.entries.clear();
    all.entries.insert_or_assign(std::string(entryPath), std::move(entry));
}

std::optional<ScannedDesktopEntry> scannedDesktopEntry(std::string_view entryPath) {
    auto& all = remembered();
    const std::lock_guard lock(all.mutex);
    const auto found = all.entries.find(std::string(entryPath));
    return found == all.entries.end() ? std::nullopt : std::optional(found->second);
}

} // namespace orbitdeck
