#pragma once

#include "platform/defaults_store.h"
#include "window/library_settings_keys.h"

#include <cmath>
#include <type_traits>

namespace orbitdeck {

// Reads a setting by its type: absent, stored as another kind, or (for an enumeration) a
// string that names no case all give the default. Reading never writes.
template <typename T>
T readSetting(const DefaultsStore& store, const SettingKey<T>& setting) {
    const QString key = setting.key();
    std::optional<T> stored;
    if constexpr (std::is_enum_v<T>) {
        if (const auto raw = store.stringValue(key))
            stored = enumFromRawValue<T>(*raw);
    } else if constexpr (std::is_same_v<T, bool>) {
        stored = store.boolValue(key);
    } else if constexpr (std::is_same_v<T, qint64>) {
        stored = store.integerValue(key);
    } else if constexpr (std::is_same_v<T, double>) {
        stored = store.realValue(key);
        if (stored && !std::isfinite(*stored))
            stored.reset();
    } else {
        static_assert(std::is_same_v<T, QByteArray>);
        stored = store.dataValue(key);
    }
    return stored.value_or(setting.defaultValue);
}

// Enumerations are written by case name. Answers whether the value reached the disk.
template <typename T>
bool writeSetting(DefaultsStore& store, const SettingKey<T>& setting, const T& value) {
    if constexpr (std::is_enum_v<T>)
        return store.setValue(setting.key(), rawValue(value));
    else
        return store.setValue(setting.key(), value);
}

// Values derived from stored numbers. The store may hold anything, so each is bounded here,
// where it is used: a corrupt icon size or blur radius must not exhaust memory or hang a blur.
int standardIconSize(LibraryDensity density);
// The iconSize setting when it is 1 or more (at most 256), else the density's standard size.
int effectiveIconSize(qint64 storedIconSize, LibraryDensity density);
// 0 means the standard 7 columns / 5 rows; anything else is kept within 4…12 / 2…8.
int gridColumns(qint64 storedColumns);
int gridRows(qint64 storedRows);
// Within 0…36; a value that is not a finite number reads as the default 12.
double wallpaperBlurRadius(double storedBlur);
// Never negative and within int.
int savedPageIndex(qint64 storedPage);

// A typed view of the settings in one store.
class LibrarySettings {
public:
    explicit LibrarySettings(DefaultsStore& store)
        : store_(store) {}

    template <typename T>
    T get(const SettingKey<T>& setting) const {
        return readSetting(store_, setting);
    }
    template <typename T>
    bool set(const SettingKey<T>& setting, const T& value) {
        return writeSetting(store_, setting, value);
    }

    int iconSize() const;
    int columns() const { return gridColumns(get(settings::columns)); }
    int rows() const { return gridRows(get(settings::rows)); }
    double wallpaperBlur() const { return wallpaperBlurRadius(get(settings::wallpaperBlur)); }
    int savedPage() const { return savedPageIndex(get(settings::savedPage)); }

    DefaultsStore& store() const { return store_; }

private:
    DefaultsStore& store_;
};

} // namespace orbitdeck
