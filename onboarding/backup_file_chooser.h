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

// The chooser of the views: it publishes the request, the window makes its file dialog only
// then, and the dialog answers through answer() or cancel(). A new request cancels the last.
class QuickBackupFileChooser final : public QObject, public BackupFileChooser {
    Q_OBJECT
    // "save", "open" or empty when nothing is asked.
    Q_PROPERTY(QString request READ request NOTIFY requestChanged)
    Q_PROPERTY(QString suggestedName READ suggestedName NOTIFY requestChanged)
    // The suggested name in the user's documents folder (home when there is none).
    Q_PROPERTY(QUrl suggestedFile READ suggestedFile NOTIFY requestChanged)

public:
    using QObject::QObject;

    void chooseSaveLocation(const QString& suggestedName, Answer answer) override;
    void chooseFileToOpen(Answer answer) override;

    QString request() const { return request_; }
    QString suggestedName() const { return suggestedName_; }
    QUrl suggestedFile() const;

    Q_INVOKABLE void answer(const QUrl& file);
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
