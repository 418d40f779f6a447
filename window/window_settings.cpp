#include "window/window_settings.h"

#include "platform/main_thread.h"
#include "window/library_settings.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace orbitdeck {

namespace {

// A value outside the enumeration (an int from QML) changes nothing.
template <typename E>
void setEnumValue(DefaultsStore& store, const SettingKey<E>& setting, E value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (isCase(value))
        writeSetting(store, setting, value);
}

template <typename T>
void setSetting(DefaultsStore& store, const SettingKey<T>& setting, const T& value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    writeSetting(store, setting, value);
}

int clampedToInt(qint64 value) {
    return static_cast<int>(std::clamp<qint64>(value, -1'000'000, 1'000'000));
}

// Which property signals a stored key drives.
using Signal = void (WindowSettings::*)();
const std::map<QString, std::vector<Signal>>& keySignals() {
    using S = WindowSettings;
    static const std::map<QString, std::vector<Signal>> table = {
        {settings::skin.key(), {&S::skinChanged}},
        {settings::appIcon.key(), {&S::appIconChanged}},
        {settings::effects.key(), {&S::effectsChanged, &S::motionChanged}},
        {settings::density.key(), {&S::densityChanged, &S::effectiveIconSizeChanged}},
        {settings::labels.key(), {&S::labelsChanged}},
        {settings::wallpaper.key(), {&S::showWallpaperChanged}},
        {settings::wallpaperBlur.key(), {&S::wallpaperBlurChanged}},
        {settings::folderLabels.key(), {&S::folderLabelsChanged}},
        {settings::language.key(), {&S::languageChanged}},
        {settings::startMode.key(), {&S::startModeChanged}},
        {settings::rememberPage.key(), {&S::rememberPageChanged}},
        {settings::savedPage.key(), {&S::savedPageChanged}},
        {settings::browsing.key(), {&S::browsingChanged}},
        {settings::columns.key(), {&S::customColumnsChanged}},
        {settings::rows.key(), {&S::customRowsChanged}},
        {settings::iconSize.key(), {&S::customIconSizeChanged, &S::effectiveIconSizeChanged}},
        {settings::sort.key(), {&S::sortChanged}},
        {settings::hotKey.key(), {&S::hotKeyChanged}},
        {settings::clickToClose.key(), {&S::clickToCloseChanged}},
        {settings::onboarded.key(), {&S::onboardedChanged}},
        {settings::systemUtilitiesSeeded.key(), {&S::systemUtilitiesSeededChanged}},
    };
    return table;
}

} // namespace

WindowSettings::WindowSettings(DefaultsStore& store, QObject* parent)
    : QObject(parent)
    , store_(store) {
    connect(&store_, &DefaultsStore::valueChanged, this, [this](const QString& key) {
        ORBITDECK_ASSERT_MAIN_THREAD();
        const auto found = keySignals().find(key);
        if (found != keySignals().end()) {
            for (const Signal signal : found->second)
                emit(this->*signal)();
        } else if (key.startsWith(QLatin1String("ambergrid.")) && key.endsWith(".v1")) {
            emit dataChanged(key);
        }
    });
    connect(&store_, &DefaultsStore::saveFailed, this, [this] {
        if (std::exchange(saveFailureTold_, true))
            return;
        emit saveFailed();
    });
}

bool WindowSettings::labels() const {
    return readSetting(store_, settings::labels);
}
void WindowSettings::setLabels(bool value) {
    setSetting(store_, settings::labels, value);
}
bool WindowSettings::showWallpaper() const {
    return readSetting(store_, settings::wallpaper);
}
void WindowSettings::setShowWallpaper(bool value) {
    setSetting(store_, settings::wallpaper, value);
}
double WindowSettings::wallpaperBlur() const {
    return wallpaperBlurRadius(readSetting(store_, settings::wallpaperBlur));
}
void WindowSettings::setWallpaperBlur(double value) {
    setSetting(store_, settings::wallpaperBlur, value);
}
bool WindowSettings::folderLabels() const {
    return readSetting(store_, settings::folderLabels);
}
void WindowSettings::setFolderLabels(bool value) {
    setSetting(store_, settings::folderLabels, value);
}
bool WindowSettings::rememberPage() const {
    return readSetting(store_, settings::rememberPage);
}
void WindowSettings::setRememberPage(bool value) {
    setSetting(store_, settings::rememberPage, value);
}
int WindowSettings::savedPage() const {
    return clampedToInt(readSetting(store_, settings::savedPage));
}
void WindowSettings::setSavedPage(int value) {
    setSetting(store_, settings::savedPage, qint64{value});
}
int WindowSettings::customColumns() const {
    return clampedToInt(readSetting(store_, settings::columns));
}
void WindowSettings::setCustomColumns(int value) {
    setSetting(store_, settings::columns, qint64{value});
}
int WindowSettings::customRows() const {
    return clampedToInt(readSetting(store_, settings::rows));
}
void WindowSettings::setCustomRows(int value) {
    setSetting(store_, settings::rows, qint64{value});
}
int WindowSettings::customIconSize() const {
    return clampedToInt(readSetting(store_, settings::iconSize));
}
void WindowSettings::setCustomIconSize(int value) {
    setSetting(store_, settings::iconSize, qint64{value});
}
bool WindowSettings::clickToClose() const {
    return readSetting(store_, settings::clickToClose);
}
void WindowSettings::setClickToClose(bool value) {
    setSetting(store_, settings::clickToClose, value);
}
bool WindowSettings::onboarded() const {
    return readSetting(store_, settings::onboarded);
}
void WindowSettings::setOnboarded(bool value) {
    setSetting(store_, settings::onboarded, value);
}
bool WindowSettings::systemUtilitiesSeeded() const {
    return readSetting(store_, settings::systemUtilitiesSeeded);
}
void WindowSettings::setSystemUtilitiesSeeded(bool value) {
    setSetting(store_, settings::systemUtilitiesSeeded, value);
}

LibrarySort WindowSettings::sortValue() const {
    return readSetting(store_, settings::sort);
}
LibraryLanguage WindowSettings::languageValue() const {
    return readSetting(store_, settings::language);
}
void WindowSettings::setSortOrder(setting::SortOrder value) {
    setSortValue(static_cast<LibrarySort>(value));
}
void WindowSettings::setSortValue(LibrarySort value) {
    setEnumValue(store_, settings::sort, value);
}
void WindowSettings::setLanguageValue(LibraryLanguage value) {
    setEnumValue(store_, settings::language, value);
}
LibrarySkin WindowSettings::skinValue() const {
    return readSetting(store_, settings::skin);
}
void WindowSettings::setSkinValue(LibrarySkin value) {
    setEnumValue(store_, settings::skin, value);
}
LibraryEffects WindowSettings::effectsValue() const {
    return readSetting(store_, settings::effects);
}
void WindowSettings::setEffectsValue(LibraryEffects value) {
    setEnumValue(store_, settings::effects, value);
}
LibraryDensity WindowSettings::densityValue() const {
    return readSetting(store_, settings::density);
}
void WindowSettings::setDensityValue(LibraryDensity value) {
    setEnumValue(store_, settings::density, value);
}
AppIconStyle WindowSettings::appIconValue() const {
    return readSetting(store_, settings::appIcon);
}
LibraryStartup WindowSettings::startModeValue() const {
    return readSetting(store_, settings::startMode);
}
void WindowSettings::setStartModeValue(LibraryStartup value) {
    setEnumValue(store_, settings::startMode, value);
}
LibraryBrowsing WindowSettings::browsingValue() const {
    return readSetting(store_, settings::browsing);
}
void WindowSettings::setBrowsingValue(LibraryBrowsing value) {
    setEnumValue(store_, settings::browsing, value);
}
LibraryHotKey WindowSettings::hotKeyValue() const {
    return readSetting(store_, settings::hotKey);
}
void WindowSettings::setHotKeyValue(LibraryHotKey value) {
    setEnumValue(store_, settings::hotKey, value);
}

double WindowSettings::effectiveIconSize() const {
    return orbitdeck::effectiveIconSize(readSetting(store_, settings::iconSize),
                                        readSetting(store_, settings::density));
}

int WindowSettings::columns() const {
    return gridColumns(readSetting(store_, settings::columns));
}
int WindowSettings::rows() const {
    return gridRows(readSetting(store_, settings::rows));
}

void WindowSettings::setReduceMotion(bool value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (reduceMotion_ == value)
        return;
    reduceMotion_ = value;
    emit motionChanged();
}

bool WindowSettings::fluidMotion() const {
    return !reduceMotion_ && readSetting(store_, settings::effects) == LibraryEffects::fluid;
}

bool WindowSettings::motionAllowed() const {
    return !reduceMotion_ && readSetting(store_, settings::effects) != LibraryEffects::off;
}

QByteArray WindowSettings::data(const char* key) const {
    return store_.dataValue(QString::fromLatin1(key)).value_or(QByteArray());
}

void WindowSettings::setData(const char* key, const QByteArray& bytes) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    store_.setValue(QString::fromLatin1(key), DefaultsValue{bytes});
}

} // namespace orbitdeck
