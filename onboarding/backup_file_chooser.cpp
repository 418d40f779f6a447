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
        finish(std::nullopt);
    else
        finish(std::filesystem::path(file.toLocalFile().toStdString()));
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
