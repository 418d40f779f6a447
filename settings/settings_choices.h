#pragma once

#include "window/library_settings_enums.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>
#include <vector>

namespace orbitdeck {

// One entry of a settings picker: the stored value and its title. A title is either a table
// key (looked up in the interface language) or plain text shown as it is. The name, where there
// is one, ends the object name of the entry's button.
struct PickerEntry {
    Q_GADGET
    QML_VALUE_TYPE(pickerEntry)
    Q_PROPERTY(int value MEMBER value FINAL)
    Q_PROPERTY(QString title MEMBER title FINAL)
    Q_PROPERTY(bool titleIsKey MEMBER titleIsKey FINAL)
    Q_PROPERTY(QString name MEMBER name FINAL)

public:
    bool operator==(const PickerEntry&) const = default;

    int value = 0;
    QString title;
    bool titleIsKey = false;
    QString name;
};
using PickerEntries = QList<PickerEntry>;

// "Default: 7" (0), then 4…12.
PickerEntries columnEntries();
// "Default: 5" (0), then 2…8.
PickerEntries rowEntries();

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
