#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "library/library_sort.h"
#include "window/library_settings_enums.h"
#endif
#include "window/settings_enum_types.h"

namespace orbitdeck {

class DefaultsStore;

// Every setting of the main window, bound to its defaults key. Reads fall back to the default
// when the key is absent, holds another kind of value or names no case; writes go to the store
// at once, and a change made anywhere else (the settings sheet, the guide) is signalled here.
// Enumerations are values in C++ and QML alike; their case names live in the stored file and
// the state report only.
class WindowSettings : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("the window state owns its settings")
    Q_PROPERTY(orbitdeck::setting::LibrarySkin skin READ skinValue WRITE setSkinValue NOTIFY
                   skinChanged FINAL)
    // The chosen app icon style; the views draw it wherever the app's icon shows.
    Q_PROPERTY(
        orbitdeck::setting::AppIconStyle appIcon READ appIconValue NOTIFY appIconChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::LibraryEffects effects READ effectsValue WRITE setEffectsValue
                   NOTIFY effectsChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::LibraryDensity density READ densityValue WRITE setDensityValue
                   NOTIFY densityChanged FINAL)
    Q_PROPERTY(bool labels READ labels WRITE setLabels NOTIFY labelsChanged FINAL)
    Q_PROPERTY(bool showWallpaper READ showWallpaper WRITE setShowWallpaper NOTIFY
                   showWallpaperChanged FINAL)
    Q_PROPERTY(double wallpaperBlur READ wallpaperBlur WRITE setWallpaperBlur NOTIFY
                   wallpaperBlurChanged FINAL)
    Q_PROPERTY(
        bool folderLabels READ folderLabels WRITE setFolderLabels NOTIFY folderLabelsChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::LibraryLanguage language READ languageValue WRITE
                   setLanguageValue NOTIFY languageChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::LibraryStartup startMode READ startModeValue WRITE
                   setStartModeValue NOTIFY startModeChanged FINAL)
    Q_PROPERTY(
        bool rememberPage READ rememberPage WRITE setRememberPage NOTIFY rememberPageChanged FINAL)
    Q_PROPERTY(int savedPage READ savedPage WRITE setSavedPage NOTIFY savedPageChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::LibraryBrowsing browsing READ browsingValue WRITE
                   setBrowsingValue NOTIFY browsingChanged FINAL)
    Q_PROPERTY(int customColumns READ customColumns WRITE setCustomColumns NOTIFY
                   customColumnsChanged FINAL)
    Q_PROPERTY(int customRows READ customRows WRITE setCustomRows NOTIFY customRowsChanged FINAL)
    Q_PROPERTY(int customIconSize READ customIconSize WRITE setCustomIconSize NOTIFY
                   customIconSizeChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::SortOrder sort READ sortOrder WRITE setSortOrder NOTIFY
                   sortChanged FINAL)
    Q_PROPERTY(orbitdeck::setting::LibraryHotKey hotKey READ hotKeyValue WRITE setHotKeyValue NOTIFY
                   hotKeyChanged FINAL)
    Q_PROPERTY(
        bool clickToClose READ clickToClose WRITE setClickToClose NOTIFY clickToCloseChanged FINAL)
    Q_PROPERTY(bool onboarded READ onboarded WRITE setOnboarded NOTIFY onboardedChanged FINAL)
    Q_PROPERTY(bool systemUtilitiesSeeded READ systemUtilitiesSeeded WRITE setSystemUtilitiesSeeded
                   NOTIFY systemUtilitiesSeededChanged FINAL)
    // Derived: the icon size in points, and the grid size with 0 meaning 7 by 5.
    Q_PROPERTY(
        double effectiveIconSize READ effectiveIconSize NOTIFY effectiveIconSizeChanged FINAL)
    Q_PROPERTY(int columns READ columns NOTIFY customColumnsChanged FINAL)
    Q_PROPERTY(int rows READ rows NOTIFY customRowsChanged FINAL)
    // Motion: "fluid" effects and no reduced motion (page turns, scale effects); any layout or
    // list animation at all.
    Q_PROPERTY(bool fluidMotion READ fluidMotion NOTIFY motionChanged FINAL)
    Q_PROPERTY(bool motionAllowed READ motionAllowed NOTIFY motionChanged FINAL)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY motionChanged FINAL)

public:
    // Stored keys of the data settings.
    static constexpr const char* hiddenKey = "ambergrid.hidden.v1";
    static constexpr const char* layoutKey = "ambergrid.library.layout.v1";
    // Stored layout bytes that could not be read, kept aside before anything overwrites them.
    static constexpr const char* unreadableLayoutKey = "ambergrid.library.layout.v1.unreadable";
    static constexpr const char* lastOpenedKey = "ambergrid.lastOpened.v1";
    static constexpr const char* countKey = "ambergrid.openCount.v1";
    // The application folders the catalog has ever listed on this machine.
    static constexpr const char* listedFoldersKey = "ambergrid.catalog.listedFolders.v1";

    explicit WindowSettings(DefaultsStore& store, QObject* parent = nullptr);

    bool labels() const;
    void setLabels(bool value);
    bool showWallpaper() const;
    void setShowWallpaper(bool value);
    double wallpaperBlur() const;
    void setWallpaperBlur(double value);
    bool folderLabels() const;
    void setFolderLabels(bool value);
    bool rememberPage() const;
    void setRememberPage(bool value);
    int savedPage() const;
    void setSavedPage(int value);
    int customColumns() const;
    void setCustomColumns(int value);
    int customRows() const;
    void setCustomRows(int value);
    int customIconSize() const;
    void setCustomIconSize(int value);
    bool clickToClose() const;
    void setClickToClose(bool value);
    bool onboarded() const;
    void setOnboarded(bool value);
    bool systemUtilitiesSeeded() const;
    void setSystemUtilitiesSeeded(bool value);

    LibrarySort sortValue() const;
    void setSortValue(LibrarySort value);
    setting::SortOrder sortOrder() const { return static_cast<setting::SortOrder>(sortValue()); }
    void setSortOrder(setting::SortOrder value);
    LibraryLanguage languageValue() const;
    void setLanguageValue(LibraryLanguage value);
    LibrarySkin skinValue() const;
    void setSkinValue(LibrarySkin value);
    LibraryEffects effectsValue() const;
    void setEffectsValue(LibraryEffects value);
    LibraryDensity densityValue() const;
    void setDensityValue(LibraryDensity value);
    AppIconStyle appIconValue() const;
    LibraryStartup startModeValue() const;
    void setStartModeValue(LibraryStartup value);
    LibraryBrowsing browsingValue() const;
    void setBrowsingValue(LibraryBrowsing value);
    LibraryHotKey hotKeyValue() const;
    void setHotKeyValue(LibraryHotKey value);

    double effectiveIconSize() const;
    int columns() const;
    int rows() const;
    bool reduceMotion() const { return reduceMotion_; }
    void setReduceMotion(bool value);
    bool fluidMotion() const;
    bool motionAllowed() const;

    // The stored data settings; absent keys read as empty bytes.
    QByteArray data(const char* key) const;
    void setData(const char* key, const QByteArray& bytes);

    DefaultsStore& store() const { return store_; }

signals:
    void skinChanged();
    void appIconChanged();
    void effectsChanged();
    void densityChanged();
    void labelsChanged();
    void showWallpaperChanged();
    void wallpaperBlurChanged();
    void folderLabelsChanged();
    void languageChanged();
    void startModeChanged();
    void rememberPageChanged();
    void savedPageChanged();
    void browsingChanged();
    void customColumnsChanged();
    void customRowsChanged();
    void customIconSizeChanged();
    void sortChanged();
    void hotKeyChanged();
    void clickToCloseChanged();
    void onboardedChanged();
    void systemUtilitiesSeededChanged();
    void effectiveIconSizeChanged();
    void motionChanged();
    // A data setting changed (hidden set, layout, launch bookkeeping).
    void dataChanged(const QString& key);
    // The first change of this run that could not be written to the disk; later ones are only
    // logged, so the user hears of it once.
    void saveFailed();

private:
    DefaultsStore& store_;
    bool reduceMotion_ = false;
    bool saveFailureTold_ = false;
};

} // namespace orbitdeck
