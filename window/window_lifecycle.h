#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

#include "window/settings_enum_types.h"

namespace orbitdeck {

// The window's sheets, alerts and display mode, and the requests it sends to the views.
class WindowLifecycle : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")
    Q_PROPERTY(bool appearanceOpen READ appearanceOpen WRITE setAppearanceOpen NOTIFY
                   appearanceOpenChanged FINAL)
    Q_PROPERTY(bool onboardingOpen READ onboardingOpen WRITE setOnboardingOpen NOTIFY
                   onboardingOpenChanged FINAL)
    Q_PROPERTY(
        bool isFullScreen READ isFullScreen WRITE setFullScreen NOTIFY isFullScreenChanged FINAL)
    Q_PROPERTY(bool modeTransitionInProgress READ modeTransitionInProgress WRITE
                   setModeTransitionInProgress NOTIFY modeTransitionInProgressChanged FINAL)
    // The start mode still to be applied, by its case name for the state report; empty when none.
    Q_PROPERTY(QString pendingMode READ pendingModeName NOTIFY pendingModeChanged FINAL)
    Q_PROPERTY(bool didApplyStartup READ didApplyStartup WRITE setDidApplyStartup NOTIFY
                   didApplyStartupChanged FINAL)
    // The display name of the application that could not be opened; the alert "Couldn’t open
    // application" shows while it is set. Dismissing the alert clears it.
    Q_PROPERTY(QString failedApp READ failedApp WRITE setFailedApp NOTIFY failedAppChanged FINAL)
    // The error alert's text while it shows, and its title: the string-table key of the failure
    // that set it (a move to the Trash unless a caller names another).
    Q_PROPERTY(QString uninstallError READ uninstallError WRITE setUninstallError NOTIFY
                   uninstallErrorChanged FINAL)
    Q_PROPERTY(QString errorTitle READ errorTitle NOTIFY uninstallErrorChanged FINAL)
    // The zoom of the whole library (the dismiss and the open animation) and how the views
    // move to it.
    Q_PROPERTY(double libraryScale READ libraryScale NOTIFY libraryScaleChanged FINAL)
    Q_PROPERTY(orbitdeck::WindowLifecycle::ScaleMotion libraryScaleMotion READ libraryScaleMotion
                   NOTIFY libraryScaleChanged FINAL)
    Q_PROPERTY(bool wallpaperUnavailable READ wallpaperUnavailable WRITE setWallpaperUnavailable
                   NOTIFY wallpaperUnavailableChanged FINAL)
    // The chosen global shortcut is held by another program, so pressing it does nothing here.
    Q_PROPERTY(bool hotKeyRefused READ hotKeyRefused WRITE setHotKeyRefused NOTIFY
                   hotKeyRefusedChanged FINAL)
    // The offered shortcuts (LibraryHotKey values) that other programs hold.
    Q_PROPERTY(QList<int> takenHotKeys READ takenHotKeys WRITE setTakenHotKeys NOTIFY
                   takenHotKeysChanged FINAL)
    // A Wayland session: no program of its own may take a global shortcut or watch the screen's
    // corners there, so a shortcut bound in the desktop is the way to call the launcher up.
    Q_PROPERTY(bool waylandSession READ waylandSession WRITE setWaylandSession NOTIFY
                   waylandSessionChanged FINAL)

public:
    using QObject::QObject;

    bool appearanceOpen() const { return appearanceOpen_; }
    void setAppearanceOpen(bool value);
    bool onboardingOpen() const { return onboardingOpen_; }
    void setOnboardingOpen(bool value);
    bool isFullScreen() const { return isFullScreen_; }
    void setFullScreen(bool fullScreen);
    bool modeTransitionInProgress() const { return modeTransitionInProgress_; }
    void setModeTransitionInProgress(bool inProgress);
    std::optional<LibraryStartup> pendingMode() const { return pendingMode_; }
    void setPendingMode(std::optional<LibraryStartup> mode);
    QString pendingModeName() const;
    bool didApplyStartup() const { return didApplyStartup_; }
    void setDidApplyStartup(bool applied);
    QString failedApp() const { return failedApp_; }
    void setFailedApp(const QString& value);
    QString uninstallError() const { return uninstallError_; }
    void setUninstallError(const QString& value);
    QString errorTitle() const { return errorTitle_; }
    void showError(const QString& titleKey, const QString& message);
    // At once, eased in over 0.16 s (the dismiss), or a spring of response 0.38 and damping 0.9
    // (the open).
    enum class ScaleMotion { none, easeIn, spring };
    Q_ENUM(ScaleMotion)
    double libraryScale() const { return libraryScale_; }
    ScaleMotion libraryScaleMotion() const { return libraryScaleMotion_; }
    void setLibraryScale(double scale, ScaleMotion motion = ScaleMotion::none);
    bool wallpaperUnavailable() const { return wallpaperUnavailable_; }
    void setWallpaperUnavailable(bool unavailable);
    bool hotKeyRefused() const { return hotKeyRefused_; }
    void setHotKeyRefused(bool refused);
    QList<int> takenHotKeys() const { return takenHotKeys_; }
    void setTakenHotKeys(const QList<int>& taken);
    bool waylandSession() const { return waylandSession_; }
    void setWaylandSession(bool wayland);

signals:
    void appearanceOpenChanged();
    void onboardingOpenChanged();
    void isFullScreenChanged();
    void modeTransitionInProgressChanged();
    void pendingModeChanged();
    void didApplyStartupChanged();
    void failedAppChanged();
    void uninstallErrorChanged();
    void libraryScaleChanged();
    void wallpaperUnavailableChanged();
    void hotKeyRefusedChanged();
    void takenHotKeysChanged();
    void waylandSessionChanged();
    // Requests to the views.
    void wallpaperRefreshRequested();
    void applyPendingStartupModeRequested();
    // Apply the start mode once per run, as soon as the window is visible.
    void applyStartupRequested();
    void iconCacheClearRequested();

private:
    bool appearanceOpen_ = false;
    bool onboardingOpen_ = false;
    bool isFullScreen_ = false;
    bool modeTransitionInProgress_ = false;
    std::optional<LibraryStartup> pendingMode_;
    bool didApplyStartup_ = false;
    QString failedApp_;
    QString uninstallError_;
    QString errorTitle_;
    double libraryScale_ = 1.0;
    ScaleMotion libraryScaleMotion_ = ScaleMotion::none;
    bool wallpaperUnavailable_ = false;
    bool hotKeyRefused_ = false;
    QList<int> takenHotKeys_;
    bool waylandSession_ = false;
};

} // namespace orbitdeck
