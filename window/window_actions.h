#pragma once

#include "window/library_command.h"
#include "window/settings_enum_types.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>

class QWindow;

#include <chrono>

namespace orbitdeck {

class AmbergridWindow;

// The small operations of the background menu and the toolbar, and the lifecycle handlers.
class WindowActions : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the window state")

public:
    static constexpr int activationDelayMilliseconds = 350;
    static constexpr int activationRefreshAgeSeconds = 20;

    WindowActions(AmbergridWindow& window, QObject* parent = nullptr);

    // Stores the opposite start mode and asks the views to apply it.
    Q_INVOKABLE void toggleFullScreen();
    Q_INVOKABLE void openSettings();
    Q_INVOKABLE void closeSettings();
    // Quiet rescan, layout rebuilt from the store, "Refreshed · %lld apps".
    Q_INVOKABLE void refreshLibrary();
    // Stores the mode, closes the sheet and applies it after the main thread yielded once; a
    // value that is no mode does nothing.
    Q_INVOKABLE void changeStartMode(orbitdeck::setting::LibraryStartup mode);

    // Platform notifications.
    Q_INVOKABLE void applicationDidBecomeActive();
    Q_INVOKABLE void libraryDidHide();
    // The launcher shown again: with fluid motion the library settles from 1.08 to 1.
    Q_INVOKABLE void playOpenAnimation();
    // Delivers the platform's notifications for the launcher window: hidden, shown again, and
    // the application activated.
    void observe(QWindow& libraryWindow);
    // The "AmbergridCommand" notification, which this object observes from construction.
    void handleLibraryCommand(LibraryCommand command);

signals:
    // The welcome command, handed to the organise actions.
    void welcomeRequested();

private:
    void refreshAfterActivation();

    AmbergridWindow& window_;
    bool hasRefreshedApps_ = false;
    std::chrono::steady_clock::time_point lastAppRefresh_{};
};

} // namespace orbitdeck
