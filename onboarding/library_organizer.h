#pragma once

// moc of Qt 6.4 cannot parse the concepts these pull in.
#ifndef Q_MOC_RUN
#include "library/library_sort_organization.h"
#include "onboarding/launchpad_importer.h"
#include "onboarding/layout_backup.h"
#include "window/organizer.h"
#endif

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <set>
#include <string>

namespace orbitdeck {

class AmbergridWindow;
class BackupFileChooser;
class QuickBackupFileChooser;

// The whole-library actions: organise, backups, the Launchpad import and reopening the welcome
// guide (whose finish runs the import and the organise actions). The window's organiser, which
// the settings sheet calls.
class LibraryOrganizer : public QObject, public Organizer {
    Q_OBJECT
    // The last error a backup put into the window's error alert, so the alert can tell it from
    // a failed move to the Trash.
    Q_PROPERTY(QString backupError READ backupError NOTIFY backupErrorChanged FINAL)
    // True while the Launchpad database is read in the background.
    Q_PROPERTY(
        bool importingLaunchpad READ importingLaunchpad NOTIFY importingLaunchpadChanged FINAL)

public:
    // The flow actions wait this long for the settings sheet to close.
    static constexpr int backupDelayMilliseconds = 200;
    static constexpr int welcomeDelayMilliseconds = 250;

    using LaunchpadReader = std::function<std::optional<std::vector<LaunchpadImporter::Entry>>()>;

    LibraryOrganizer(AmbergridWindow& window, BackupFileChooser& files, QObject* parent = nullptr);

    // Every action can be performed here.
    bool canPerform(LibraryOrganization) const override { return true; }
    void performOrganization(LibraryOrganization organization) override;

    // Whether the guide may offer the Launchpad import.
    Q_INVOKABLE bool launchpadAvailable() const;
    // Reads the Launchpad arrangement off the main thread, then applies it and hands done the
    // number of installed applications taken from it: 0 when none matched or the layout was
    // refused; none when there was nothing to read. A request while a read runs is dropped.
    void importLaunchpadLayout(std::function<void(std::optional<int>)> done);
    // The applying half, on the main thread.
    std::optional<int>
    applyLaunchpadEntries(const std::optional<std::vector<LaunchpadImporter::Entry>>& entries);
    bool importingLaunchpad() const { return importingLaunchpad_; }
    // True while a chosen backup is read and decoded in the background.
    bool readingBackup() const { return readingBackup_; }

    void exportLayoutBackup();
    void importLayoutBackup();

    QString backupError() const { return backupError_; }
    void setLaunchpadReader(LaunchpadReader reader) { readLaunchpad_ = std::move(reader); }

signals:
    void backupErrorChanged();
    void importingLaunchpadChanged();

private:
    void showBackupError(const QString& titleKey, const QString& message);
    void applyLayoutAction(LibraryOrganization organization);
    void afterDelay(int milliseconds, std::function<void()> action);
    void writeBackup(const std::filesystem::path& file, const QByteArray& bytes);
    void readBackup(const std::filesystem::path& file);
    // A backup as the background read leaves it: the hidden ids as a set, and how many of
    // them are not installed.
    struct DecodedBackup {
        LayoutBackup backup;
        std::set<std::string> hidden;
        std::size_t hiddenMissing = 0;
    };
    void applyBackup(std::optional<DecodedBackup> decoded);
    // The settings sheet closed for the file dialog comes back once the backup is done, unless
    // an alert about the file has the window.
    void returnToSettings();

    AmbergridWindow& window_;
    BackupFileChooser& chooser_;
    LaunchpadReader readLaunchpad_;
    QString backupError_;
    bool importingLaunchpad_ = false;
    bool readingBackup_ = false;
    bool reopenSettings_ = false;
};

// The organiser and the file chooser of the views it asks, both owned by the window.
struct OrganizerParts {
    LibraryOrganizer* organizer = nullptr;
    QuickBackupFileChooser* files = nullptr;
};

// Makes the organiser, which also runs the window's welcome command.
OrganizerParts installOrganizer(AmbergridWindow& window);

} // namespace orbitdeck
