#include "window/window_lifecycle.h"

#include "window/library_settings_enums.h"
#include "window/state_assign.h"

namespace orbitdeck {

void WindowLifecycle::setAppearanceOpen(bool value) {
    assignAndNotify(this, appearanceOpen_, value, &WindowLifecycle::appearanceOpenChanged);
}

void WindowLifecycle::setOnboardingOpen(bool value) {
    assignAndNotify(this, onboardingOpen_, value, &WindowLifecycle::onboardingOpenChanged);
}

void WindowLifecycle::setFullScreen(bool value) {
    assignAndNotify(this, isFullScreen_, value, &WindowLifecycle::isFullScreenChanged);
}

void WindowLifecycle::setModeTransitionInProgress(bool value) {
    assignAndNotify(this, modeTransitionInProgress_, value,
                    &WindowLifecycle::modeTransitionInProgressChanged);
}

void WindowLifecycle::setPendingMode(std::optional<LibraryStartup> mode) {
    assignAndNotify(this, pendingMode_, mode, &WindowLifecycle::pendingModeChanged);
}

QString WindowLifecycle::pendingModeName() const {
    return pendingMode_ ? rawValue(*pendingMode_) : QString();
}

void WindowLifecycle::setDidApplyStartup(bool value) {
    assignAndNotify(this, didApplyStartup_, value, &WindowLifecycle::didApplyStartupChanged);
}

void WindowLifecycle::setFailedApp(const QString& value) {
    assignAndNotify(this, failedApp_, QString(value), &WindowLifecycle::failedAppChanged);
}

void WindowLifecycle::setUninstallError(const QString& value) {
    showError(QStringLiteral("Couldn’t move the app to the Trash"), value);
}

void WindowLifecycle::showError(const QString& titleKey, const QString& message) {
    // Cleared, the title stays: the closing alert keeps its text until it is gone. A new title
    // over the same text is a change too.
    const bool retitled = !message.isEmpty() && errorTitle_ != titleKey;
    if (retitled)
        errorTitle_ = titleKey;
    if (uninstallError_ == message && !retitled)
        return;
    uninstallError_ = message;
    emit uninstallErrorChanged();
}

void WindowLifecycle::setLibraryScale(double value, ScaleMotion motion) {
    // The motion is in place before the views hear of the new scale.
    libraryScaleMotion_ = motion;
    assignAndNotify(this, libraryScale_, value, &WindowLifecycle::libraryScaleChanged);
}

void WindowLifecycle::setHotKeyRefused(bool refused) {
    assignAndNotify(this, hotKeyRefused_, refused, &WindowLifecycle::hotKeyRefusedChanged);
}

void WindowLifecycle::setTakenHotKeys(const QList<int>& taken) {
    assignAndNotify(this, takenHotKeys_, taken, &WindowLifecycle::takenHotKeysChanged);
}

void WindowLifecycle::setWaylandSession(bool wayland) {
    assignAndNotify(this, waylandSession_, wayland, &WindowLifecycle::waylandSessionChanged);
}

void WindowLifecycle::setWallpaperUnavailable(bool value) {
    assignAndNotify(this, wallpaperUnavailable_, value,
                    &WindowLifecycle::wallpaperUnavailableChanged);
}

} // namespace orbitdeck
