// Qt Quick tests of the launcher views: the module, its image providers and its import path,
// and a folder of their own for the file dialogs (ORBITDECK_TEMP: a backup, a text file and a
// subfolder).
#include "window/qml/view_engine.h"

#include <QDir>
#include <QFile>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)

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
    }

private:
    QTemporaryDir folder_;
};

QUICK_TEST_MAIN_WITH_SETUP(window_ui, Setup)

#include "quick_test_main.moc"
