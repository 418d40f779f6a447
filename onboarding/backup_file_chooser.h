#pragma once

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
class QuickBackupFileChooser final : public QObject, public BackupFileChooser {
    Q_OBJECT
    // "save", "open" or empty when nothing is asked.
    Q_PROPERTY(QString request READ request NOTIFY requestChanged)
    Q_PROPERTY(QString suggestedName READ suggestedName NOTIFY requestChanged)
    // Where both dialogs open: the user's documents folder, home when there is none.
    Q_PROPERTY(QUrl startFolder READ startFolder NOTIFY requestChanged)

public:
    using QObject::QObject;

    void chooseSaveLocation(const QString& suggestedName, Answer answer) override;
    void chooseFileToOpen(Answer answer) override;

    QString request() const { return request_; }
    QString suggestedName() const { return suggestedName_; }
    QUrl startFolder() const;

    // The file a save would write (see backupSavePath), as a path; empty when there is none.
    Q_INVOKABLE QString savePath(const QString& folder, const QString& typedName) const;
    Q_INVOKABLE bool exists(const QString& path) const;
    // Makes the folder name inside folder (numbered when the name is taken); its URL, or an
    // empty one when it could not be made.
    Q_INVOKABLE QUrl makeFolder(const QString& folder, const QString& name) const;

    // The chosen file, as a file: URL or a plain absolute path (what Qt's dialogs hand back).
    Q_INVOKABLE void answer(const QString& file);
    Q_INVOKABLE void cancel();

signals:
    void requestChanged();

private:
    void ask(const QString& request, const QString& suggestedName, Answer answer);
    void finish(std::optional<std::filesystem::path> file);

    QString request_;
    QString suggestedName_;
    Answer pending_;
};

} // namespace orbitdeck
