// Qt Quick tests of the first-run guide's views, with the launcher's view module they build on.
#include "window/qml/view_engine.h"

#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_OnboardingPlugin)

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) { orbitdeck::prepareViewEngine(*engine); }
};

QUICK_TEST_MAIN_WITH_SETUP(onboarding_ui, Setup)

#include "quick_test_main.moc"
