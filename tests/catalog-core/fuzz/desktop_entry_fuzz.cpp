// Feeds arbitrary bytes to the desktop-entry reader and judges the entry, as the catalog scan
// does with each file it finds; the same bytes are read as an icon theme's index too.
#include "catalog-core/desktop_entry.h"
#include "catalog-core/key_file.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const orbitdeck::DesktopEnvironment environment{
        .locales = {"sr_RS@latin", "sr_RS", "sr@latin", "sr"},
        .currentDesktops = {"GNOME"},
        .searchPath = {}};
    const auto entry = orbitdeck::parseDesktopEntry(text, environment.locales);
    if (orbitdeck::judgeDesktopEntry(entry, environment) == orbitdeck::DesktopEntryVerdict::shown)
        orbitdeck::describeDesktopEntry(*entry, "fuzz.desktop", "/usr/share/applications/x");
    if (const auto lenient = orbitdeck::parseKeyFile(text, true))
        for (const auto& group : *lenient)
            for (const auto& [key, value] : group.values)
                orbitdeck::keyFileList(value);
    return 0;
}
