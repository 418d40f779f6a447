// The export and import of layout backups, on the organiser.
#include "onboarding/backup_file_chooser.h"
#include "onboarding/layout_backup.h"
#include "onboarding/library_organizer.h"
#include "platform/background_work.h"
#include "platform/durable_file.h"
#include "platform/main_thread.h"
#include "window/ambergrid_window.h"
#include "window/localization.h"

#include <QCoreApplication>

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace orbitdeck {

namespace {

// A backup is a few kilobytes; anything far larger is not one.
constexpr qint64 maxBackupBytes = 64 * 1024 * 1024;

QString pathText(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

QString appVersion() {
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? QStringLiteral("?") : version;
}

std::chrono::sys_seconds now(const AmbergridWindow& window) {
    const auto& clock = window.environment().wallClock;
    return std::chrono::floor<std::chrono::seconds>(clock ? clock()
                                                          : std::chrono::system_clock::now());
}

} // namespace

void LibraryOrganizer::exportLayoutBackup() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QByteArray data = window_.settings()->data(WindowSettings::layoutKey);
    const HiddenIDs& hidden = window_.library()->hiddenIDs();
    const LayoutBackup backup{
        .format = LayoutBackup::currentFormat,
        .appVersion = appVersion().toStdString(),
        .exportedAt = now(window_),
        .layout = data.toStdString(),
        .hidden = std::vector<std::string>(hidden.begin(), hidden.end()),
        .sort = rawValue(window_.settings()->sortValue()).toStdString(),
    };
    const QByteArray bytes = QByteArray::fromStdString(encodeLayoutBackup(backup));
    const QString name = QString::fromStdString(suggestedBackupFileName(backup.exportedAt));
    chooser_.chooseSaveLocation(name, [this, bytes](std::optional<std::filesystem::path> file) {
        if (file)
            writeBackup(*file, bytes);
        returnToSettings();
    });
}

void LibraryOrganizer::returnToSettings() {
    if (std::exchange(reopenSettings_, false) && window_.lifecycle()->uninstallError().isEmpty())
        window_.lifecycle()->setAppearanceOpen(true);
}

void LibraryOrganizer::writeBackup(const std::filesystem::path& file, const QByteArray& bytes) {
    // Written whole or not at all: a failed write leaves the old file in place.
    const QString failure = saveChosenFile(pathText(file), bytes);
    if (!failure.isEmpty()) {
        showBackupError(QStringLiteral("Couldn’t export the layout"), failure);
        return;
    }
    window_.showToast(localized(QStringLiteral("Layout exported"), window_.language()) +
                      localized(QStringLiteral(" · "), window_.language()) +
                      pathText(file.filename()));
}

void LibraryOrganizer::showBackupError(const QString& titleKey, const QString& message) {
    backupError_ = message;
    emit backupErrorChanged();
    window_.lifecycle()->showError(titleKey, message);
}

void LibraryOrganizer::importLayoutBackup() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    chooser_.chooseFileToOpen([this](std::optional<std::filesystem::path> file) {
        if (file)
            readBackup(*file);
        else
            returnToSettings();
    });
}

void LibraryOrganizer::readBackup(const std::filesystem::path& file) {
    if (readingBackup_)
        return;
    readingBackup_ = true;
    const std::vector<std::string> installed = window_.library()->appIDs();
    // A backup may hold millions of ids; reading, decoding and sorting them must not stall the
    // window.
    runInBackground(
        this,
        [path = pathText(file), installed]() -> std::optional<DecodedBackup> {
            const FileReadResult read = readFileCapped(path, maxBackupBytes);
            const QByteArray* bytes = std::get_if<QByteArray>(&read);
            std::optional<LayoutBackup> backup =
                bytes ? decodeLayoutBackup(std::string_view(
                            bytes->constData(), static_cast<std::size_t>(bytes->size())))
                      : std::nullopt;
            if (!backup)
                return std::nullopt;
            DecodedBackup decoded{.backup = std::move(*backup), .hidden = {}, .hiddenMissing = 0};
            decoded.hidden = HiddenIDs(std::make_move_iterator(decoded.backup.hidden.begin()),
                                       std::make_move_iterator(decoded.backup.hidden.end()));
            decoded.backup.hidden = {};
            const std::unordered_set<std::string> known(installed.begin(), installed.end());
            decoded.hiddenMissing = static_cast<std::size_t>(std::ranges::count_if(
                decoded.hidden, [&](const std::string& id) { return !known.contains(id); }));
            return decoded;
        },
        [this](std::optional<DecodedBackup> decoded) {
            readingBackup_ = false;
            applyBackup(std::move(decoded));
            returnToSettings();
        });
}

void LibraryOrganizer::applyBackup(std::optional<DecodedBackup> decoded) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const LibraryLanguage language = window_.language();
    if (!decoded) {
        showBackupError(
            QStringLiteral("Couldn’t import the layout"),
            localized(QStringLiteral("This file isn’t a Orbitdeck layout backup."), language));
        return;
    }
    const LayoutBackup* backup = &decoded->backup;
    WindowSettings& settings = *window_.settings();
    window_.pushUndo(LibraryUndo{LibraryUndo::Backup{
        .data = settings.data(WindowSettings::layoutKey),
        .ids = window_.library()->hiddenIDs(),
        .sort = settings.sortValue(),
    }});
    LibraryLayout layout = window_.restoredLayout(QByteArray::fromStdString(backup->layout));

    // Not installed: the hidden ones counted in the background, and those only the layout names.
    std::size_t missing = decoded->hiddenMissing;
    const std::vector<std::string> laidOut = layout.allApplicationIDs();
    for (const std::string& id : std::unordered_set<std::string>(laidOut.begin(), laidOut.end()))
        if (!window_.library()->app(id) && !decoded->hidden.contains(id))
            ++missing;

    const std::optional<std::string> encoded = layout.encodedSnapshot();
    window_.layout()->setLayout(std::move(layout), settings.motionAllowed()
                                                       ? LayoutAnimation::refresh
                                                       : LayoutAnimation::none);
    if (encoded)
        settings.setData(WindowSettings::layoutKey, QByteArray::fromStdString(*encoded));
    // A name that is no sort order leaves the current one.
    if (const auto sort = backup->sort ? librarySortFromRawValue(*backup->sort) : std::nullopt)
        settings.setSortValue(*sort);
    window_.paging()->setPage(0);
    window_.storeHidden(std::move(decoded->hidden));

    QString toast = localized(QStringLiteral("Layout imported"), language);
    if (missing > 0)
        toast += localized(QStringLiteral(" · "), language) +
                 localizedFormat(QStringLiteral("%lld not installed"), language,
                                 {static_cast<qint64>(missing)});
    window_.showToast(toast + localized(QStringLiteral(" · ⌘Z"), language));
}

} // namespace orbitdeck
