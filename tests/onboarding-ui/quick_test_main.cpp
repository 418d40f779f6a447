// Qt Quick tests of the first-run guide's views, with the launcher's view module they build on.
#include "window/qml/image_providers.h"

#include <QQmlEngine>
#include <QtQml/qqmlextensionplugin.h>
#include <QtQuickTest/quicktest.h>

Q_IMPORT_QML_PLUGIN(Orbitdeck_ViewsPlugin)
Q_IMPORT_QML_PLUGIN(Orbitdeck_OnboardingPlugin)

class Setup : public QObject {
    Q_OBJECT

public slots:
    void qmlEngineAvailable(QQmlEngine* engine) {
        engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
        engine->addImageProvider(QStringLiteral("symbol"), new orbitdeck::SymbolProvider);
        engine->addImageProvider(QStringLiteral("drawing"), new orbitdeck::DrawingProvider);
    }
};

QUICK_TEST_MAIN_WITH_SETUP(onboarding_ui, Setup)

#include "quick_test_main.moc"
