#include "onboarding/backup_file_chooser.h"

#include "platform/main_thread.h"

#include <QDir>
#include <QStandardPaths>

namespace orbitdeck {

void QuickBackupFileChooser::chooseSaveLocation(const QString& suggestedName, Answer answer) {
    ask(QStringLiteral("save"), suggestedName, std::move(answer));
}

void QuickBackupFileChooser::chooseFileToOpen(Answer answer) {
    ask(QStringLiteral("open"), QString(), std::move(answer));
}

void QuickBackupFileChooser::ask(const QString& request, const QString& suggestedName,
                                 Answer answer) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    finish(std::nullopt);
    request_ = request;
    suggestedName_ = suggestedName;
    pending_ = std::move(answer);
    emit requestChanged();
}

QUrl QuickBackupFileChooser::suggestedFile() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QUrl::fromLocalFile(QDir(folder).filePath(suggestedName_));
}

void QuickBackupFileChooser::answer(const QUrl& file) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    if (!file.isLocalFile())
        return finish(std::nullopt);
    std::filesystem::path path = file.toLocalFile().toStdString();
    // A save dialog left without a name would write a hidden ".json": use the suggested name.
    if (request_ == QLatin1String("save") &&
        (path.filename().empty() || path.filename() == ".json"))
        path.replace_filename(suggestedName_.toStdString());
    finish(std::move(path));
}

void QuickBackupFileChooser::cancel() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    finish(std::nullopt);
}

void QuickBackupFileChooser::finish(std::optional<std::filesystem::path> file) {
    Answer pending = std::exchange(pending_, nullptr);
    if (!request_.isEmpty()) {
        request_.clear();
        suggestedName_.clear();
        emit requestChanged();
    }
    if (pending)
        pending(std::move(file));
}

} // namespace orbitdeck
