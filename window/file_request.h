#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace orbitdeck {

// A file the window's file dialog is asked for (the onboarding module's backup chooser asks):
// the dialog shows while `request` is set and ends it through answer() or cancel().
class FileRequest : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the module that asks for files")
    Q_PROPERTY(Kind request READ request NOTIFY requestChanged FINAL)
    Q_PROPERTY(QString suggestedName READ suggestedName NOTIFY requestChanged FINAL)
    // Where both dialogs open.
    Q_PROPERTY(QUrl startFolder READ startFolder NOTIFY requestChanged FINAL)

public:
    // What is asked for: nothing, a file to save to or a file to open.
    enum class Kind { none, save, open };
    Q_ENUM(Kind)

    using QObject::QObject;

    virtual Kind request() const = 0;
    virtual QString suggestedName() const = 0;
    virtual QUrl startFolder() const = 0;

    // The file a save would write for the name typed in folder, as a path; empty when there is
    // none.
    Q_INVOKABLE virtual QString savePath(const QString& folder, const QString& typedName) const = 0;
    Q_INVOKABLE virtual bool exists(const QString& path) const = 0;
    // Makes the folder name inside folder; its URL, or an empty one when it could not be made.
    Q_INVOKABLE virtual QUrl makeFolder(const QString& folder, const QString& name) const = 0;

    // The chosen file, as a file: URL or a plain absolute path.
    Q_INVOKABLE virtual void answer(const QString& file) = 0;
    Q_INVOKABLE virtual void cancel() = 0;

signals:
    void requestChanged();
};

} // namespace orbitdeck
