#pragma once

#include "window/library_settings_enums.h"

#include <QString>

#include <optional>
#include <vector>

namespace orbitdeck {

// One entry of a settings picker: the stored value and its title. A title is either a table
// key (looked up in the interface language) or plain text shown as it is.
struct PickerEntry {
    int value = 0;
    QString title;
    bool titleIsKey = false;
};

// "Default: 7" (0), then 4…12.
std::vector<PickerEntry> columnEntries();
// "Default: 5" (0), then 2…8.
std::vector<PickerEntry> rowEntries();

// The size a custom icon size starts from: the size the density already shows (48, 62, 76).
int customIconSizeSeed(LibraryDensity density);
// A slider position as stored: truncated, and kept within the slider's 32…112.
int iconSizeFromSlider(double position);

// What the program says about its own version; absent parts read "?".
struct AppVersion {
    std::optional<QString> shortVersion;
    std::optional<QString> build;
};
// The version of this build (the project version and its build number).
AppVersion currentAppVersion();
// "Orbitdeck 1.2 (45)".
QString versionLine(const AppVersion& version);
// The version line without the product name: "1.2 (45)".
QString versionText(const QString& line);

} // namespace orbitdeck
