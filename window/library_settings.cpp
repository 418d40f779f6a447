#include "window/library_settings.h"

#include <algorithm>
#include <limits>

namespace orbitdeck {
namespace {

constexpr int maxIconSize = 256;
constexpr int standardColumns = 7;
constexpr int standardRows = 5;
constexpr double maxWallpaperBlur = 36.0;

int clampedInt(qint64 value, int low, int high) {
    return static_cast<int>(std::clamp<qint64>(value, low, high));
}

} // namespace

int standardIconSize(LibraryDensity density) {
    return 48 + 14 * caseIndex(density);
}

int effectiveIconSize(qint64 storedIconSize, LibraryDensity density) {
    if (storedIconSize < 1)
        return standardIconSize(density);
    return clampedInt(storedIconSize, 1, maxIconSize);
}

int gridColumns(qint64 storedColumns) {
    return storedColumns == 0 ? standardColumns : clampedInt(storedColumns, 4, 12);
}

int gridRows(qint64 storedRows) {
    return storedRows == 0 ? standardRows : clampedInt(storedRows, 2, 8);
}

double wallpaperBlurRadius(double storedBlur) {
    if (!std::isfinite(storedBlur))
        return settings::wallpaperBlur.defaultValue;
    return std::clamp(storedBlur, 0.0, maxWallpaperBlur);
}

int savedPageIndex(qint64 storedPage) {
    return clampedInt(storedPage, 0, std::numeric_limits<int>::max());
}

int LibrarySettings::iconSize() const {
    return effectiveIconSize(get(settings::iconSize), get(settings::density));
}

} // namespace orbitdeck
