// Qt Quick tests of the launcher views: the module, its image providers and its import path,
// and a folder of their own for the file dialogs (ORBITDECK_TEMP: a backup, a text file and a
// subfolder) with a file request that records the dialog's answers (testFiles), and menu
// entries made as the state makes them (menuEntries).
#include "window/file_request.h"
#include "window/menu_entry.h"
#include "window/qml/view_engine.h"

#include <QDir>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)

// Stands in for the organiser's file chooser: files "exist" when listed in `existing`; a save
// writes the typed name (the suggested one without) with ".json" in the folder shown.
class FakeFileRequest final : public orbitdeck::FileRequest {
    Q_OBJECT
    Q_PROPERTY(QStringList existing MEMBER existing_)
    Q_PROPERTY(QStringList answers MEMBER answers_)

public:
    // A new request; nothing exists and nothing was answered yet.
    Q_INVOKABLE void ask(Kind request, const QString& suggestedName, const QUrl& startFolder) {
        request_ = request;
        suggestedName_ = suggestedName;
        startFolder_ = startFolder;
        existing_.clear();
        answers_.clear();
        emit requestChanged();
    }

    Kind request() const override { return request_; }
    QString suggestedName() const override { return suggestedName_; }
    QUrl startFolder() const override { return startFolder_; }
    QString savePath(const QString& folder, const QString& typedName) const override {
        const QString typed = typedName.trimmed().isEmpty() ? suggestedName_ : typedName.trimmed();
        return QUrl(folder).toLocalFile() + "/" +
               (typed.endsWith(".json", Qt::CaseInsensitive) ? typed : typed + ".json");
    }
    bool exists(const QString& path) const override { return existing_.contains(path); }
    QUrl makeFolder(const QString&, const QString&) const override { return {}; }
    void answer(const QString& file) override { answers_.append(file); }
    void cancel() override { answers_.append(QStringLiteral("cancel")); }

private:
    Kind request_ = Kind::none;
    QString suggestedName_;
    QUrl startFolder_;
    QStringList existing_;
    QStringList answers_;
};

// The entry makers, for menus drawn from entries a test lists.
class MenuEntryMaker : public QObject {
    Q_OBJECT

public:
    Q_INVOKABLE orbitdeck::MenuEntry action(const QString& name, const QString& title, int action,
                                            const QString& argument, bool enabled,
                                            bool destructive) const {
        return orbitdeck::MenuEntry::makeAction(name, title, action, argument, enabled,
                                                destructive);
    }
    Q_INVOKABLE orbitdeck::MenuEntry separator() const {
        return orbitdeck::MenuEntry::makeSeparator();
    }
    Q_INVOKABLE orbitdeck::MenuEntry text(const QString& name, const QString& title) const {
        return orbitdeck::MenuEntry::makeText(name, title);
    }
    Q_INVOKABLE orbitdeck::MenuEntry submenu(const QString& name, const QString& title,
                                             const QList<orbitdeck::MenuEntry>& entries) const {
        return orbitdeck::MenuEntry::makeSubmenu(name, title, entries);
    }
};

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        orbitdeck::prepareViewEngine(*engine);
        const QDir dir(folder_.path());
        for (const char* name : {"backup.json", "notes.txt"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            if (file.open(QIODevice::WriteOnly))
                file.write("{}");
        }
        dir.mkdir(QStringLiteral("sub"));
        engine->rootContext()->setContextProperty(QStringLiteral("ORBITDECK_TEMP"), folder_.path());
        engine->rootContext()->setContextProperty(QStringLiteral("testFiles"), &files_);
        engine->rootContext()->setContextProperty(QStringLiteral("menuEntries"), &menus_);
    }

private:
    QTemporaryDir folder_;
    FakeFileRequest files_;
    MenuEntryMaker menus_;
};

QUICK_TEST_MAIN_WITH_SETUP(window_ui, Setup)

#include "quick_test_main.moc"
