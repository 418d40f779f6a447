#pragma once

#include "window/library_settings_enums.h"

#include <QByteArray>
#include <QString>

#include <string_view>

namespace orbitdeck {

// A setting's key in the defaults and the value it reads as when absent or unreadable.
template <typename T>
struct SettingKey {
    std::string_view name;
    T defaultValue;

    QString key() const {
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    }
};

namespace settings {

// Stored data (JSON in a data value).
inline const SettingKey<QByteArray> hiddenApps{"ambergrid.hidden.v1", {}};
inline const SettingKey<QByteArray> libraryLayout{"ambergrid.library.layout.v1", {}};
inline const SettingKey<QByteArray> lastOpened{"ambergrid.lastOpened.v1", {}};
inline const SettingKey<QByteArray> openCount{"ambergrid.openCount.v1", {}};

// Flags of the program's own progress.
inline const SettingKey<bool> onboarded{"ambergrid.onboarded.v1", false};
inline const SettingKey<bool> systemUtilitiesSeeded{"ambergrid.systemUtilitiesSeeded.v1", false};
inline const SettingKey<bool> migrated{"orbitdeck.migrated.v1", false};
inline const SettingKey<qint64> savedPage{"ambergrid.savedPage", 0};

// Preferences.
inline const SettingKey<LibraryHotKey> hotKey{"ambergrid.hotKey", LibraryHotKey::optionSpace};
inline const SettingKey<bool> clickToClose{"ambergrid.clickToClose", true};
inline const SettingKey<LibrarySkin> skin{"ambergrid.skin", LibrarySkin::night};
inline const SettingKey<LibraryEffects> effects{"ambergrid.effects", LibraryEffects::fluid};
inline const SettingKey<LibraryDensity> density{"ambergrid.density", LibraryDensity::comfortable};
inline const SettingKey<bool> labels{"ambergrid.labels", true};
inline const SettingKey<bool> wallpaper{"ambergrid.wallpaper", true};
inline const SettingKey<double> wallpaperBlur{"ambergrid.wallpaperBlur", 12.0};
inline const SettingKey<bool> folderLabels{"ambergrid.folderLabels", true};
inline const SettingKey<LibraryLanguage> language{"ambergrid.language", LibraryLanguage::system};
inline const SettingKey<LibraryStartup> startMode{"ambergrid.startMode",
                                                  LibraryStartup::fullscreen};
inline const SettingKey<bool> rememberPage{"ambergrid.rememberPage", false};
inline const SettingKey<LibraryBrowsing> browsing{"ambergrid.browsing", LibraryBrowsing::pages};
inline const SettingKey<qint64> columns{"ambergrid.columns", 0};
inline const SettingKey<qint64> rows{"ambergrid.rows", 0};
inline const SettingKey<qint64> iconSize{"ambergrid.iconSize", 0};
inline const SettingKey<LibrarySort> sort{"ambergrid.sort", LibrarySort::manual};
inline const SettingKey<HotCorner> hotCorner{"ambergrid.hotCorner", HotCorner::off};
inline const SettingKey<bool> pinchToOpen{"ambergrid.pinchToOpen", false};
inline const SettingKey<bool> menuBarIcon{"ambergrid.menuBarIcon", true};
inline const SettingKey<bool> f4Key{"ambergrid.f4Key", false};
inline const SettingKey<LibraryAppearanceTab> settingsTab{"ambergrid.settingsTab",
                                                          LibraryAppearanceTab::general};
inline const SettingKey<AppIconStyle> appIcon{"ambergrid.appIcon", AppIconStyle::midnight};

} // namespace settings
} // namespace orbitdeck
