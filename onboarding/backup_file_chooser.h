#pragma once

#include "window/file_request.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <filesystem>
#include <functional>
#include <optional>

namespace orbitdeck {

// Asks the user where to save a backup and which backup to open. The answer is none when the
// chooser was cancelled.
class BackupFileChooser {
public:
    using Answer = std::function<void(std::optional<std::filesystem::path>)>;

    virtual ~BackupFileChooser() = default;
    virtual void chooseSaveLocation(const QString& suggestedName, Answer answer) = 0;
    virtual void chooseFileToOpen(Answer answer) = 0;
};

// The file a save dialog writes: the typed name in the folder shown (a typed absolute path
// stands for itself), the suggested name when none was typed, and ".json" added when the name
// has another or no suffix (a doubled ".json.json" keeps one). Folder and name may be paths or
// file: URLs. Empty for a name that cannot be a file ("..", a trailing slash) or a folder that
// is no local path.
QString backupSavePath(const QString& folder, const QString& typedName,
                       const QString& suggestedName);

// The chooser of the views: it publishes the request, the window makes its file dialog only
// then, and the dialog answers through answer() or cancel(). A new request cancels the last.
class QuickBackupFileChooser final : public FileRequest, public BackupFileChooser {
    Q_OBJECT

public:
    using FileRequest::FileRequest;

    void chooseSaveLocation(const QString& suggestedName, Answer answer) override;
    void chooseFileToOpen(Answer answer) override;

    Kind request() const override { return request_; }
    QString suggestedName() const override { return suggestedName_; }
    // The user's documents folder, home when there is none.
    QUrl startFolder() const override;

    // See backupSavePath.
    QString savePath(const QString& folder, const QString& typedName) const override;
    bool exists(const QString& path) const override;
    // Numbered when the name is taken.
    QUrl makeFolder(const QString& folder, const QString& name) const override;

    void answer(const QString& file) override;
    void cancel() override;

private:
    void ask(Kind request, const QString& suggestedName, Answer answer);
    void finish(std::optional<std::filesystem::path> file);

    Kind request_ = Kind::none;
    QString suggestedName_;
    Answer pending_;
};

} // namespace orbitdeck
