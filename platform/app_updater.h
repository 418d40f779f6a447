#pragma once

#include "platform/defaults_value.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace orbitdeck {

// A running in-app updater that shows its own interface for a user-initiated check.
class UpdateController {
public:
    virtual ~UpdateController() = default;
    virtual void checkForUpdates() = 0;
};

// The software update entry of the menus and the settings. A controller is made lazily, and
// only when the build carries an update signing key; without one a check opens the download
// page in the default browser instead.
class AppUpdater {
public:
    struct Seams {
        // A value of the application's own information dictionary; none when absent.
        std::function<std::optional<DefaultsValue>(const QString& key)> infoValue;
        // Starts the updater; none where no updater exists.
        std::function<std::unique_ptr<UpdateController>()> makeController;
        // Brings this application forward before the updater shows itself.
        std::function<void()> activate;
        std::function<void(const QUrl&)> openUrl;
        QString downloadPage;
    };

    static constexpr const char* signingKeyName = "SUPublicEDKey";
    static constexpr const char* downloadPageAddress = "https://orbitdeck.app/download";

    explicit AppUpdater(Seams seams);

    // The process's one updater. Linux builds carry no signing key (nothing is fetched over the
    // network), so every check opens the download page.
    static AppUpdater& shared();

    bool canUpdate() const;
    bool hasController() const { return controller_ != nullptr; }
    // Start-up: makes the controller when there is none and updating is possible.
    void createControllerIfPossible();
    // User-initiated check.
    void checkForUpdates();

private:
    Seams seams_;
    std::unique_ptr<UpdateController> controller_;
};

// Whether a signing key value is usable: a text that is not empty once spaces and tabs are
// trimmed (line breaks count as content).
bool isUsableSigningKey(const std::optional<DefaultsValue>& value);

} // namespace orbitdeck
