#include "window/window_settings.h"

#include "platform/defaults_store.h"
#include "platform/main_thread.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string_view>
#include <vector>

namespace orbitdeck {

namespace {

struct EnumSetting {
    const char* key;
    std::vector<const char*> cases; // the first is the default
};

const std::map<std::string_view, EnumSetting>& enumSettings() {
    static const std::map<std::string_view, EnumSetting> settings = {
        {"ambergrid.skin", {"ambergrid.skin", {"night", "dusk", "paper", "auto"}}},
        {"ambergrid.effects", {"ambergrid.effects", {"fluid", "reduced", "off"}}},
        {"ambergrid.density", {"ambergrid.density", {"comfortable", "compact", "large"}}},
        {"ambergrid.hotKey",
         {"ambergrid.hotKey", {"optionSpace", "off", "commandOptionSpace", "controlOptionSpace"}}},
        {"ambergrid.startMode", {"ambergrid.startMode", {"fullscreen", "window"}}},
        {"ambergrid.browsing", {"ambergrid.browsing", {"pages", "scroll"}}},
        {"ambergrid.sort",
         {"ambergrid.sort", {"manual", "name", "nameReverse", "added", "recent", "frequency"}}},
        {"ambergrid.language",
         {"ambergrid.language",
          {"system", "english", "simplifiedChinese", "traditionalChinese", "japanese", "korean",
           "german", "french", "spanish", "italian", "portuguese", "russian"}}},
    };
    return settings;
}

// Which property signal a stored key drives.
using Signal = void (WindowSettings::*)();
const std::map<QString, std::vector<Signal>>& keySignals() {
    static const std::map<QString, std::vector<Signal>> signals_ = {
        {"ambergrid.skin", {&WindowSettings::skinChanged}},
        {"ambergrid.effects", {&WindowSettings::effectsChanged, &WindowSettings::motionChanged}},
        {"ambergrid.density",
         {&WindowSettings::densityChanged, &WindowSettings::effectiveIconSizeChanged}},
        {"ambergrid.labels", {&WindowSettings::labelsChanged}},
        {"ambergrid.wallpaper", {&WindowSettings::showWallpaperChanged}},
        {"ambergrid.wallpaperBlur", {&WindowSettings::wallpaperBlurChanged}},
        {"ambergrid.folderLabels", {&WindowSettings::folderLabelsChanged}},
        {"ambergrid.language", {&WindowSettings::languageChanged}},
        {"ambergrid.startMode", {&WindowSettings::startModeChanged}},
        {"ambergrid.rememberPage", {&WindowSettings::rememberPageChanged}},
        {"ambergrid.savedPage", {&WindowSettings::savedPageChanged}},
        {"ambergrid.browsing", {&WindowSettings::browsingChanged}},
        {"ambergrid.columns", {&WindowSettings::customColumnsChanged}},
        {"ambergrid.rows", {&WindowSettings::customRowsChanged}},
        {"ambergrid.iconSize",
         {&WindowSettings::customIconSizeChanged, &WindowSettings::effectiveIconSizeChanged}},
        {"ambergrid.sort", {&WindowSettings::sortChanged}},
        {"ambergrid.hotKey", {&WindowSettings::hotKeyChanged}},
        {"ambergrid.clickToClose", {&WindowSettings::clickToCloseChanged}},
        {"ambergrid.onboarded.v1", {&WindowSettings::onboardedChanged}},
        {"ambergrid.systemUtilitiesSeeded.v1", {&WindowSettings::systemUtilitiesSeededChanged}},
    };
    return signals_;
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
}

QString WindowSettings::enumValue(const char* key) const {
    const EnumSetting& setting = enumSettings().at(key);
    const std::optional<QString> stored = store_.stringValue(QString::fromLatin1(key));
    if (stored) {
        for (const char* candidate : setting.cases) {
            if (*stored == QLatin1String(candidate))
                return *stored;
        }
    }
    return QString::fromLatin1(setting.cases.front());
}

void WindowSettings::setEnumValue(const char* key, const QString& value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const EnumSetting& setting = enumSettings().at(key);
    for (const char* candidate : setting.cases) {
        if (value == QLatin1String(candidate)) {
            store_.setValue(QString::fromLatin1(key), DefaultsValue{value});
            return;
        }
    }
}

bool WindowSettings::boolValue(const char* key, bool fallback) const {
    return store_.boolValue(QString::fromLatin1(key)).value_or(fallback);
}

void WindowSettings::setBoolValue(const char* key, bool value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    store_.setValue(QString::fromLatin1(key), DefaultsValue{value});
}

int WindowSettings::intValue(const char* key) const {
    const qint64 value = store_.integerValue(QString::fromLatin1(key)).value_or(0);
    // Stored numbers are untrusted: keep them within int.
    return static_cast<int>(std::clamp<qint64>(value, -1'000'000, 1'000'000));
}

void WindowSettings::setIntValue(const char* key, int value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    store_.setValue(QString::fromLatin1(key), DefaultsValue{static_cast<qint64>(value)});
}

QString WindowSettings::skin() const {
    return enumValue("ambergrid.skin");
}
void WindowSettings::setSkin(const QString& value) {
    setEnumValue("ambergrid.skin", value);
}
QString WindowSettings::effects() const {
    return enumValue("ambergrid.effects");
}
void WindowSettings::setEffects(const QString& value) {
    setEnumValue("ambergrid.effects", value);
}
QString WindowSettings::density() const {
    return enumValue("ambergrid.density");
}
void WindowSettings::setDensity(const QString& value) {
    setEnumValue("ambergrid.density", value);
}
bool WindowSettings::labels() const {
    return boolValue("ambergrid.labels", true);
}
void WindowSettings::setLabels(bool value) {
    setBoolValue("ambergrid.labels", value);
}
bool WindowSettings::showWallpaper() const {
    return boolValue("ambergrid.wallpaper", true);
}
void WindowSettings::setShowWallpaper(bool value) {
    setBoolValue("ambergrid.wallpaper", value);
}

double WindowSettings::wallpaperBlur() const {
    const double value = store_.realValue(QStringLiteral("ambergrid.wallpaperBlur")).value_or(12.0);
    return std::isfinite(value) ? std::clamp(value, 0.0, 36.0) : 12.0;
}

void WindowSettings::setWallpaperBlur(double value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    store_.setValue(QStringLiteral("ambergrid.wallpaperBlur"), DefaultsValue{value});
}

bool WindowSettings::folderLabels() const {
    return boolValue("ambergrid.folderLabels", true);
}
void WindowSettings::setFolderLabels(bool value) {
    setBoolValue("ambergrid.folderLabels", value);
}
QString WindowSettings::language() const {
    return enumValue("ambergrid.language");
}
void WindowSettings::setLanguage(const QString& value) {
    setEnumValue("ambergrid.language", value);
}
QString WindowSettings::startMode() const {
    return enumValue("ambergrid.startMode");
}
void WindowSettings::setStartMode(const QString& value) {
    setEnumValue("ambergrid.startMode", value);
}
bool WindowSettings::rememberPage() const {
    return boolValue("ambergrid.rememberPage", false);
}
void WindowSettings::setRememberPage(bool value) {
    setBoolValue("ambergrid.rememberPage", value);
}
int WindowSettings::savedPage() const {
    return intValue("ambergrid.savedPage");
}
void WindowSettings::setSavedPage(int value) {
    setIntValue("ambergrid.savedPage", value);
}
QString WindowSettings::browsing() const {
    return enumValue("ambergrid.browsing");
}
void WindowSettings::setBrowsing(const QString& value) {
    setEnumValue("ambergrid.browsing", value);
}
int WindowSettings::customColumns() const {
    return intValue("ambergrid.columns");
}
void WindowSettings::setCustomColumns(int value) {
    setIntValue("ambergrid.columns", value);
}
int WindowSettings::customRows() const {
    return intValue("ambergrid.rows");
}
void WindowSettings::setCustomRows(int value) {
    setIntValue("ambergrid.rows", value);
}
int WindowSettings::customIconSize() const {
    return intValue("ambergrid.iconSize");
}
void WindowSettings::setCustomIconSize(int value) {
    setIntValue("ambergrid.iconSize", value);
}
QString WindowSettings::sort() const {
    return enumValue("ambergrid.sort");
}
void WindowSettings::setSort(const QString& value) {
    setEnumValue("ambergrid.sort", value);
}
QString WindowSettings::hotKey() const {
    return enumValue("ambergrid.hotKey");
}
void WindowSettings::setHotKey(const QString& value) {
    setEnumValue("ambergrid.hotKey", value);
}
bool WindowSettings::clickToClose() const {
    return boolValue("ambergrid.clickToClose", true);
}
void WindowSettings::setClickToClose(bool value) {
    setBoolValue("ambergrid.clickToClose", value);
}
bool WindowSettings::onboarded() const {
    return boolValue("ambergrid.onboarded.v1", false);
}
void WindowSettings::setOnboarded(bool value) {
    setBoolValue("ambergrid.onboarded.v1", value);
}
bool WindowSettings::systemUtilitiesSeeded() const {
    return boolValue("ambergrid.systemUtilitiesSeeded.v1", false);
}
void WindowSettings::setSystemUtilitiesSeeded(bool value) {
    setBoolValue("ambergrid.systemUtilitiesSeeded.v1", value);
}

double WindowSettings::effectiveIconSize() const {
    // A corrupt store must not ask for enormous icons.
    const int custom = customIconSize();
    if (custom >= 1)
        return std::min(custom, 256);
    const QString value = density();
    if (value == QLatin1String("compact"))
        return 48;
    if (value == QLatin1String("large"))
        return 76;
    return 62;
}

int WindowSettings::columns() const {
    const int custom = customColumns();
    return custom > 0 ? std::min(custom, 64) : 7;
}

int WindowSettings::rows() const {
    const int custom = customRows();
    return custom > 0 ? std::min(custom, 64) : 5;
}

void WindowSettings::setReduceMotion(bool value) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (reduceMotion_ == value)
        return;
    reduceMotion_ = value;
    emit motionChanged();
}

bool WindowSettings::fluidMotion() const {
    return !reduceMotion_ && effects() == QLatin1String("fluid");
}

bool WindowSettings::motionAllowed() const {
    return !reduceMotion_ && effects() != QLatin1String("off");
}

QByteArray WindowSettings::data(const char* key) const {
    return store_.dataValue(QString::fromLatin1(key)).value_or(QByteArray());
}

void WindowSettings::setData(const char* key, const QByteArray& bytes) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    store_.setValue(QString::fromLatin1(key), DefaultsValue{bytes});
}

} // namespace orbitdeck
