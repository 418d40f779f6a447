#include "settings/settings_choices.h"

#include <algorithm>
#include <cmath>

namespace orbitdeck {

namespace {

PickerEntries numberEntries(const char* defaultKey, int first, int last) {
    PickerEntries entries{
        {.value = 0, .title = QString::fromUtf8(defaultKey), .titleIsKey = true, .name = {}}};
    for (int value = first; value <= last; ++value)
        entries.push_back(
            {.value = value, .title = QString::number(value), .titleIsKey = false, .name = {}});
    return entries;
}

constexpr int sliderMinimum = 32;
constexpr int sliderMaximum = 112;

} // namespace

PickerEntries columnEntries() {
    return numberEntries(textKey("Default: 7").data(), 4, 12);
}

PickerEntries rowEntries() {
    return numberEntries(textKey("Default: 5").data(), 2, 8);
}

int customIconSizeSeed(LibraryDensity density) {
    return caseIndex(density) * 14 + 48;
}

int iconSizeFromSlider(double position) {
    if (!std::isfinite(position))
        return sliderMinimum;
    const double truncated = std::trunc(position);
    return static_cast<int>(std::clamp(truncated, double{sliderMinimum}, double{sliderMaximum}));
}

AppVersion currentAppVersion() {
    AppVersion version;
#ifdef ORBITDECK_SHORT_VERSION
    version.shortVersion = QStringLiteral(ORBITDECK_SHORT_VERSION);
#endif
#ifdef ORBITDECK_BUILD_NUMBER
    version.build = QStringLiteral(ORBITDECK_BUILD_NUMBER);
#endif
    if (version.shortVersion && version.shortVersion->isEmpty())
        version.shortVersion.reset();
    if (version.build && version.build->isEmpty())
        version.build.reset();
    return version;
}

QString versionLine(const AppVersion& version) {
    const QString unknown = QStringLiteral("?");
    return QStringLiteral("Orbitdeck ") + version.shortVersion.value_or(unknown) +
           QStringLiteral(" (") + version.build.value_or(unknown) + QStringLiteral(")");
}

QString versionText(const QString& line) {
    QString text = line;
    text.remove(QStringLiteral("Orbitdeck "));
    return text;
}

} // namespace orbitdeck
