#pragma once

#include "settings/sheet_settings.h"
#include "window/window_settings.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <functional>

namespace orbitdeck {

class AccessibilityTrust;
class AmbergridWindow;
class LoginItem;

// The platform services the sheet asks; tests install fakes before a sheet is made.
struct SettingsSheetServices {
    LoginItem* loginItem = nullptr;
    AccessibilityTrust* accessibility = nullptr;
    // Looks for a newer version, or opens the download page where no updater can run.
    std::function<void()> checkForUpdates;

    // The services of the running system (XDG autostart, X11), unless tests installed others.
    static SettingsSheetServices& current();
    static void install(SettingsSheetServices services);
};

// What one presentation of the settings sheet holds besides its views: the window's settings
// and actions, the sheet-only settings, and view state made fresh for each presentation
// (accessibility trust, the login item, its last error, a pending confirmation).
class SettingsSheetModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_MOC_INCLUDE("window/ambergrid_window.h")
    Q_PROPERTY(
        orbitdeck::AmbergridWindow* window READ window WRITE setWindow NOTIFY windowChanged FINAL)
    Q_PROPERTY(orbitdeck::WindowSettings* settings READ settings NOTIFY windowChanged FINAL)
    Q_PROPERTY(
        orbitdeck::SheetSettings* sheetSettings READ sheetSettings NOTIFY windowChanged FINAL)
    Q_PROPERTY(bool wallpaperUnavailable READ wallpaperUnavailable NOTIFY windowStateChanged FINAL)
    Q_PROPERTY(bool hotKeyRefused READ hotKeyRefused NOTIFY windowStateChanged FINAL)
    // The Shortcuts tab's footnote (a string-table key): what this session lets the triggers do.
    Q_PROPERTY(QString shortcutsFootnote READ shortcutsFootnote NOTIFY windowStateChanged FINAL)
    // Whether the window has the organiser that runs the Organize tab's actions.
    Q_PROPERTY(bool hasOrganizer READ hasOrganizer NOTIFY windowStateChanged FINAL)
    // [{id, name}] of the installed hidden applications, by name.
    Q_PROPERTY(QVariantList hiddenApps READ hiddenApps NOTIFY windowStateChanged FINAL)
    Q_PROPERTY(bool accessibilityGranted READ accessibilityGranted NOTIFY
                   accessibilityGrantedChanged FINAL)
    Q_PROPERTY(bool openAtLogin READ openAtLogin NOTIFY openAtLoginChanged FINAL)
    Q_PROPERTY(QString loginError READ loginError NOTIFY loginErrorChanged FINAL)
    Q_PROPERTY(bool confirmUngroup READ confirmUngroup WRITE setConfirmUngroup NOTIFY
                   confirmUngroupChanged FINAL)
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates CONSTANT FINAL)
    Q_PROPERTY(QString versionLine READ versionLine CONSTANT FINAL)
    Q_PROPERTY(QString versionText READ versionText CONSTANT FINAL)
    // Picker entries [{value, title, titleIsKey}].
    Q_PROPERTY(QVariantList columnChoices READ columnChoices CONSTANT FINAL)
    Q_PROPERTY(QVariantList rowChoices READ rowChoices CONSTANT FINAL)
    // [{value, title}]: "Follow macOS" first, then each language by its native name.
    Q_PROPERTY(QVariantList languageChoices READ languageChoices CONSTANT FINAL)

public:
    explicit SettingsSheetModel(QObject* parent = nullptr);
    ~SettingsSheetModel() override;

    AmbergridWindow* window() const;
    void setWindow(AmbergridWindow* window);
    WindowSettings* settings() const;
    SheetSettings* sheetSettings() const { return sheetSettings_; }
    bool wallpaperUnavailable() const;
    bool hotKeyRefused() const;
    QString shortcutsFootnote() const;
    bool hasOrganizer() const;
    QVariantList hiddenApps() const;
    bool accessibilityGranted() const { return accessibilityGranted_; }
    bool openAtLogin() const { return openAtLogin_; }
    QString loginError() const { return loginError_; }
    bool confirmUngroup() const { return confirmUngroup_; }
    void setConfirmUngroup(bool value);
    bool canCheckForUpdates() const;
    QString versionLine() const;
    QString versionText() const;
    QVariantList columnChoices() const;
    QVariantList rowChoices() const;
    QVariantList languageChoices() const;

    // "Done" and the other ways out.
    Q_INVOKABLE void close();
    // Stores the mode, closes the sheet and applies the mode, also when it is the current one.
    Q_INVOKABLE void changeMode(orbitdeck::setting::LibraryStartup mode);
    // The window's organise and flow actions ("welcome", "ungroup", ...).
    Q_INVOKABLE void organize(const QString& organization);
    // Whether the organiser runs the action named ("sortByName", ...); false without one.
    Q_INVOKABLE bool canOrganize(const QString& organization) const;
    // Unhides one application with an undo step; an empty id unhides all.
    Q_INVOKABLE void unhide(const QString& appID);
    // The login-item switch: registers or unregisters, then shows the status read back.
    Q_INVOKABLE void setOpenAtLogin(bool on);
    // The "Custom icon size" switch: on starts from the density's size, off stores 0.
    Q_INVOKABLE void setCustomIconSize(bool on);
    Q_INVOKABLE void setIconSizeFromSlider(double position);
    Q_INVOKABLE void checkForUpdates();
    // Asks the system again whether global input may be watched.
    Q_INVOKABLE void refreshAccessibility();

signals:
    void windowChanged();
    void windowStateChanged();
    void accessibilityGrantedChanged();
    void openAtLoginChanged();
    void loginErrorChanged();
    void confirmUngroupChanged();

private:
    void readOpenAtLogin();
    void setLoginError(const QString& error);

    QPointer<AmbergridWindow> window_;
    SheetSettings* sheetSettings_ = nullptr;
    bool accessibilityGranted_ = false;
    bool openAtLogin_ = false;
    QString loginError_;
    bool confirmUngroup_ = false;
};

} // namespace orbitdeck
