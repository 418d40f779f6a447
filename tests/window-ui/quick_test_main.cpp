// Qt Quick tests of the launcher views: the module, its image providers and its import path.
#include "window/qml/view_engine.h"

#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) { orbitdeck::prepareViewEngine(*engine); }
};

QUICK_TEST_MAIN_WITH_SETUP(window_ui, Setup)

#include "quick_test_main.moc"
