#include "onboarding/backup_file_chooser.h"

#include "platform/main_thread.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace orbitdeck {

namespace {

// A local path from a file: URL or a plain path; empty for anything else.
QString localPath(const QString& text) {
    if (text.startsWith(QLatin1String("file:")))
        return QUrl(text).toLocalFile();
    return QDir::isAbsolutePath(text) ? text : QString();
}

} // namespace

QString backupSavePath(const QString& folder, const QString& typedName,
                       const QString& suggestedName) {
    QString name = typedName.trimmed();
    if (name.isEmpty())
        name = suggestedName;
    if (name.startsWith(QLatin1String("file:")))
        name = QUrl(name).toLocalFile();
    // Checked before the path is cleaned, which would turn "a/.." into "a".
    const QString typedFile = name.section(QLatin1Char('/'), -1);
    if (typedFile.isEmpty() || typedFile == QLatin1String(".") || typedFile == QLatin1String(".."))
        return QString();
    QString path = name;
    if (!QDir::isAbsolutePath(name)) {
        const QString base = localPath(folder);
        if (base.isEmpty())
            return QString();
        path = QDir(base).filePath(name);
    }
    path = QDir::cleanPath(path);
    // A name typed with its suffix over the selected part of the suggested one lands before the
    // suffix kept there: one ".json" is what was meant.
    if (path.endsWith(QLatin1String(".json.json"), Qt::CaseInsensitive))
        path.chop(5);
    const QString file = QFileInfo(path).fileName();
    // A name left as only the suffix would write a hidden file.
    if (file.compare(QLatin1String(".json"), Qt::CaseInsensitive) == 0)
        return suggestedName.isEmpty()
                   ? QString()
                   : backupSavePath(QUrl::fromLocalFile(QFileInfo(path).path()).toString(),
                                    suggestedName, QString());
    if (!file.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        path += QLatin1String(".json");
    return path;
}

void QuickBackupFileChooser::chooseSaveLocation(const QString& suggestedName, Answer answer) {
    ask(Kind::save, suggestedName, std::move(answer));
}

void QuickBackupFileChooser::chooseFileToOpen(Answer answer) {
    ask(Kind::open, QString(), std::move(answer));
}

void QuickBackupFileChooser::ask(Kind request, const QString& suggestedName, Answer answer) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    finish(std::nullopt);
    request_ = request;
    suggestedName_ = suggestedName;
    pending_ = std::move(answer);
    emit requestChanged();
}

QUrl QuickBackupFileChooser::startFolder() const {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    return QUrl::fromLocalFile(folder);
}

QString QuickBackupFileChooser::savePath(const QString& folder, const QString& typedName) const {
    return backupSavePath(folder, typedName, suggestedName_);
}

bool QuickBackupFileChooser::exists(const QString& path) const {
    const QString local = localPath(path);
    return !local.isEmpty() && QFileInfo::exists(local);
}

QUrl QuickBackupFileChooser::makeFolder(const QString& folder, const QString& name) const {
    const QString base = localPath(folder);
    const QString trimmed = name.trimmed();
    if (base.isEmpty() || trimmed.isEmpty() || trimmed.contains(QLatin1Char('/')) ||
        trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return QUrl();
    // A taken name gets a number, as a second "New Folder" would.
    const QDir parent(base);
    for (int n = 1; n < 100; ++n) {
        const QString candidate = n == 1 ? trimmed : trimmed + QStringLiteral(" %1").arg(n);
        if (parent.exists(candidate))
            continue;
        return parent.mkdir(candidate) ? QUrl::fromLocalFile(parent.filePath(candidate)) : QUrl();
    }
    return QUrl();
}

void QuickBackupFileChooser::answer(const QString& file) {
    ORBITDECK_ASSERT_MAIN_THREAD();
    const QString path =
        request_ == Kind::save ? backupSavePath(QString(), file, suggestedName_) : localPath(file);
    if (path.isEmpty())
        return finish(std::nullopt);
    finish(std::filesystem::path(path.toStdString()));
}

void QuickBackupFileChooser::cancel() {
    ORBITDECK_ASSERT_MAIN_THREAD();
    finish(std::nullopt);
}

void QuickBackupFileChooser::finish(std::optional<std::filesystem::path> file) {
    Answer pending = std::exchange(pending_, nullptr);
    if (request_ != Kind::none) {
        request_ = Kind::none;
        suggestedName_.clear();
        emit requestChanged();
    }
    if (pending)
        pending(std::move(file));
}

} // namespace orbitdeck
